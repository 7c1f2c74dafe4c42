# The preview paint: the cached layout beside the direct rules, into a
# recording canvas and into a QImage as the editor's view paints it.
if(TARGET ze_layout_qt)
  add_executable(layout_bench layout_bench.cpp ${PROJECT_SOURCE_DIR}/tests/layout/direct_layout.cpp)
  target_link_libraries(layout_bench PRIVATE ze_layout ze_layout_qt)
  target_include_directories(layout_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(layout_bench PRIVATE -O2)
endif()

# The layout checks at the device list's sizes, with the device look's fonts.
if(TARGET ze_layout_qt)
  add_executable(layout_checks_bench layout_checks_bench.cpp)
  target_link_libraries(layout_checks_bench PRIVATE ze_layout ze_layout_qt)
  target_compile_definitions(layout_checks_bench PRIVATE ZE_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  target_compile_options(layout_checks_bench PRIVATE -O2)
endif()
