# Animated GIFs of an action's pictures.
target_sources(QuilletExport PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gif_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_timing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_writer.cpp
)
target_link_libraries(QuilletExport PRIVATE FreeImage::FreeImage)
