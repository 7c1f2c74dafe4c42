# The editor's shell: start-up, settings, menus, editing windows, file
# commands, the log pane and its image grids.
if(NOT ZE_CORE_ONLY)
  ze_add_qt_tests(app ze_app)
endif()
if(NOT ZE_CORE_ONLY)
  # Plays the device with a QTcpSocket.
  target_link_libraries(app_device_link_test PRIVATE Qt6::Network)
endif()
