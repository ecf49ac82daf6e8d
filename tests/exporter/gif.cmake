quillet_add_test(NAME exporter_gif_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/gif_writer_test.cpp
                 LIBRARIES QuilletExport FreeImage::FreeImage)
