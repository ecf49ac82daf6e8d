# The drawing of an export: documents turned into pictures on shared canvases.
target_sources(QuilletExport PRIVATE
  export_batch.cpp
  export_drawing.cpp
  export_file_names.cpp
  offscreen_renderer.cpp
  offscreen_renderer_accel.cpp
  offscreen_renderer_gdi.cpp
  texture_set.cpp
)
