# The editor's translations: translations/*.ts compiled by Qt's lrelease into
# translations/*.qm beside the executables (and installed there), where the
# editor loads the one of the language it speaks. Japanese, the source
# language, needs none.
find_program(ZE_LRELEASE lrelease HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec)
if(NOT ZE_LRELEASE)
  message(WARNING "lrelease (qt6-l10n-tools) not found: the editor speaks Japanese only")
  return()
endif()
file(GLOB ZE_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/*.ts)
set(ZE_QM_FILES)
foreach(ts ${ZE_TS_FILES})
  get_filename_component(name ${ts} NAME_WE)
  set(qm ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/translations/${name}.qm)
  add_custom_command(OUTPUT ${qm}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/translations
    COMMAND ${ZE_LRELEASE} -silent ${ts} -qm ${qm}
    DEPENDS ${ts}
    VERBATIM)
  list(APPEND ZE_QM_FILES ${qm})
endforeach()
add_custom_target(ze_translations ALL DEPENDS ${ZE_QM_FILES})
add_dependencies(ze_app ze_translations)
install(FILES ${ZE_QM_FILES} DESTINATION lib/ze-resource-editor/translations)
