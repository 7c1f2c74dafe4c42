# The preview paint: the cached layout beside the direct rules, into a
# recording canvas and into a QImage as the editor's view paints it.
if(TARGET ze_layout_qt)
  add_executable(layout_bench layout_bench.cpp ${PROJECT_SOURCE_DIR}/tests/layout/direct_layout.cpp)
  target_link_libraries(layout_bench PRIVATE ze_layout ze_layout_qt)
  target_include_directories(layout_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(layout_bench PRIVATE -O2)
endif()
