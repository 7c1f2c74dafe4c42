# Discard all in the editor's main window on the benchmark project, with the
# "問題" tab shown: its time and the resident memory it leaves.
if(TARGET ze_app)
  add_executable(app_discard_bench app_discard_bench.cpp)
  target_link_libraries(app_discard_bench PRIVATE ze_app)
  target_compile_definitions(app_discard_bench PRIVATE
    ZE_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  target_compile_options(app_discard_bench PRIVATE -O2)
endif()
