# The resource panel's tree on the large generated project: model build,
# view expansion, the whole Reload and the editor opening the file, offscreen.
if(TARGET ze_app)
  add_executable(panels_tree_bench panels_tree_bench.cpp)
  target_link_libraries(panels_tree_bench PRIVATE ze_app)
  target_compile_definitions(panels_tree_bench PRIVATE
    ZE_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  target_compile_options(panels_tree_bench PRIVATE -O2)
endif()

# Edit to device with live sync on, over 127.0.0.1.
if(TARGET ze_panels)
  add_executable(panels_sync_bench panels_sync_bench.cpp)
  target_link_libraries(panels_sync_bench PRIVATE ze_panels)
  target_compile_options(panels_sync_bench PRIVATE -O2)
endif()
