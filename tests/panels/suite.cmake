# The resource panel and its tree.
if(NOT ZE_CORE_ONLY)
  ze_add_qt_tests(panels ze_panels)
endif()
