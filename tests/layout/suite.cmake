# The layout layer: units, measure and place, preview painting through a
# recording canvas, checked against a direct implementation of the rules.
ze_add_test_suite(layout core ze_layout)

if(NOT ZE_CORE_ONLY)
  # Runs the real ze-tool render and reads the PNG it writes.
  file(GLOB ZE_RENDER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/layout/render/*.cpp)
  add_executable(render_tests ${ZE_RENDER_TEST_SOURCES})
  target_link_libraries(render_tests PRIVATE Qt6::Gui GTest::gtest GTest::gtest_main)
  target_compile_definitions(render_tests PRIVATE ZE_TOOL_PATH="$<TARGET_FILE:ze-tool>")
  add_dependencies(render_tests ze-tool)
  gtest_discover_tests(render_tests NO_PRETTY_VALUES PROPERTIES LABELS tool DISCOVERY_TIMEOUT 60)
endif()

if(TARGET ze_layout_qt)
  # The device look painted in process: its image cache.
  file(GLOB ZE_LAYOUT_QT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/layout/qt/*.cpp)
  add_executable(layout_qt_tests ${ZE_LAYOUT_QT_TEST_SOURCES})
  target_link_libraries(layout_qt_tests PRIVATE ze_layout_qt GTest::gtest)
  gtest_discover_tests(layout_qt_tests NO_PRETTY_VALUES
    PROPERTIES LABELS gui ENVIRONMENT QT_QPA_PLATFORM=offscreen DISCOVERY_TIMEOUT 60)
endif()
