# The editor's shell: start-up, settings, menus, editing windows, file
# commands, the log pane and its image grids.
if(NOT ZE_CORE_ONLY)
  ze_add_qt_tests(app ze_app)
endif()
