# The generator and the JSON export, without Qt: runs in the sanitizer build.
ze_add_test_suite(codegen core ze_codegen)
target_compile_definitions(codegen_tests PRIVATE
  ZE_TEMPLATE_DIR="${PROJECT_SOURCE_DIR}/template")

if(NOT ZE_CORE_ONLY)
  # ze-tool skeleton as a separate process, and the shipped templates compiled
  # with a stand-in for the device framework's header.
  add_executable(codegen_tool_tests ${CMAKE_CURRENT_SOURCE_DIR}/codegen/tool/skeleton_tool_test.cpp)
  target_link_libraries(codegen_tool_tests PRIVATE GTest::gtest GTest::gtest_main)
  target_compile_definitions(codegen_tool_tests PRIVATE
    ZE_TOOL_PATH="$<TARGET_FILE:ze-tool>"
    ZE_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples"
    ZE_FRAMEWORK_STUB_DIR="${CMAKE_CURRENT_SOURCE_DIR}/codegen/tool/framework"
    ZE_CXX_COMPILER="${CMAKE_CXX_COMPILER}")
  add_dependencies(codegen_tool_tests ze-tool ze_templates)
  gtest_discover_tests(codegen_tool_tests NO_PRETTY_VALUES PROPERTIES LABELS tool
                       DISCOVERY_TIMEOUT 60)
endif()
