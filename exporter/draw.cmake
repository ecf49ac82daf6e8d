# The drawing of an export: documents turned into pictures on shared canvases.
target_sources(QuilletExport PRIVATE
  export_batch.cpp
  export_drawing.cpp
  export_file_names.cpp
  frame_extent.cpp
  export_snapshot.cpp
  export_writer.cpp
  offscreen_renderer.cpp
  offscreen_renderer_accel.cpp
  offscreen_renderer_gdi.cpp
  texture_set.cpp
)
# The version the atlases of an editor's export name.
set_source_files_properties(export_snapshot.cpp PROPERTIES
                            COMPILE_DEFINITIONS QUILLET_VERSION="${PROJECT_VERSION}")
