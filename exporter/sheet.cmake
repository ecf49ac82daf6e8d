# Sprite sheets with their JSON atlases, numbered PNG files, and the choice between the formats.
target_sources(QuilletExport PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/atlas_json.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export_formats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_order.cpp
  ${CMAKE_CURRENT_LIST_DIR}/max_rects_packer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_trim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_memory_encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_sequence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sprite_sheet.cpp
)
