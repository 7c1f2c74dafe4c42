# The editor's shell: start-up, settings, menus, editing windows, file
# commands, the log pane and its image grids.
if(NOT ZE_CORE_ONLY)
  ze_add_qt_tests(app ze_app)
endif()
if(NOT ZE_CORE_ONLY)
  # Play the device with a QTcpSocket.
  target_link_libraries(app_device_link_test PRIVATE Qt6::Network)
  target_link_libraries(app_live_sync_test PRIVATE Qt6::Network)
endif()
if(NOT ZE_CORE_ONLY)
  # The editor the recovery test starts and kills.
  add_executable(app_recovery_child ${CMAKE_CURRENT_SOURCE_DIR}/app/child/recovery_child.cpp)
  target_link_libraries(app_recovery_child PRIVATE app_test_support)
  target_compile_definitions(app_recovery_process_test PRIVATE
    ZE_RECOVERY_CHILD="$<TARGET_FILE:app_recovery_child>")
  add_dependencies(app_recovery_process_test app_recovery_child)
endif()
if(NOT ZE_CORE_ONLY)
  # Runs the editor itself without a display.
  target_compile_definitions(app_command_line_test PRIVATE
    ZE_EDITOR_PATH="$<TARGET_FILE:ze-editor>")
  add_dependencies(app_command_line_test ze-editor)
endif()
