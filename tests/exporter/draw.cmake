quillet_add_test(
  NAME exporter_draw_tests
  SOURCES draw_test.cpp
  LIBRARIES QuilletExport quillet_png_output
)
# The pictures are compared with what the built tool's render command draws.
target_compile_definitions(exporter_draw_tests PRIVATE QUILLET_CLI="$<TARGET_FILE:quillet-cli>"
                           QUILLET_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
add_dependencies(exporter_draw_tests quillet-cli)
