# The device link. tests/link/*.cpp: framing, protocol, HTTP and log lines
# without sockets. tests/link/sockets: the link on real sockets on
# 127.0.0.1 (both run in the sanitizer build). tests/link/tool: ze-tool serve
# as a separate process, with curl as the HTTP client.
ze_add_test_suite(link core ze_link_core)

file(GLOB ZE_LINK_SOCKET_TEST_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/link/sockets/*.cpp)
add_executable(link_socket_tests ${ZE_LINK_SOCKET_TEST_SOURCES})
target_link_libraries(link_socket_tests PRIVATE ze_link GTest::gtest)
target_include_directories(link_socket_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
gtest_discover_tests(link_socket_tests NO_PRETTY_VALUES PROPERTIES LABELS core
                     DISCOVERY_TIMEOUT 60)

if(NOT ZE_CORE_ONLY)
  file(GLOB ZE_LINK_TOOL_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/link/tool/*.cpp)
  add_executable(link_tool_tests ${ZE_LINK_TOOL_TEST_SOURCES})
  target_link_libraries(link_tool_tests PRIVATE ze_common GTest::gtest GTest::gtest_main)
  target_compile_definitions(link_tool_tests PRIVATE ZE_TOOL_PATH="$<TARGET_FILE:ze-tool>"
    ZE_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
  add_dependencies(link_tool_tests ze-tool)
  gtest_discover_tests(link_tool_tests NO_PRETTY_VALUES PROPERTIES LABELS tool
                       DISCOVERY_TIMEOUT 60)
endif()
