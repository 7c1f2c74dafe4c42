# Installation layout.
#
# The programs find their template set, their image folders and their INI
# file beside their own executable (the real one: the folder comes from
# /proc/self/exe, so links are followed). They are therefore installed
# together in one private folder, PREFIX/lib/ze-resource-editor, and reached
# through relative symbolic links in PREFIX/bin; the desktop entry, the MIME
# package and the icon go where freedesktop.org desktops look for them.
#
# Included from the top-level CMakeLists.txt. The rules are added at the end
# of the top-level directory, so that every program target exists whatever
# the place of the include.
#
# The same file, run with cmake -P, is the test of the installed tree (see the
# end of this file).

set(ZE_INSTALL_APP_DIR lib/ze-resource-editor)
set(ZE_INSTALL_PROGRAMS ze-editor ze-tool)
set(ZE_INSTALL_IMAGE_FOLDERS objects assets samples)

if(CMAKE_SCRIPT_MODE_FILE)
  # ---------------------------------------------------------------------
  # Test: install the build tree into a fresh prefix and use what landed.
  # Arguments: ZE_BUILD_DIR, ZE_SOURCE_DIR, ZE_PREFIX, ZE_PROGRAMS (the
  # programs that exist in this build, separated by ";" or ",").
  function(ze_check condition_text)
    if(NOT ${ARGN})
      message(FATAL_ERROR "install check failed: ${condition_text}")
    endif()
  endfunction()

  string(REPLACE "," ";" programs "${ZE_PROGRAMS}")
  file(REMOVE_RECURSE ${ZE_PREFIX})
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${ZE_BUILD_DIR} --prefix ${ZE_PREFIX}
                  RESULT_VARIABLE result OUTPUT_QUIET)
  ze_check("cmake --install succeeds" result EQUAL 0)

  set(app ${ZE_PREFIX}/${ZE_INSTALL_APP_DIR})
  foreach(program ${programs})
    set(link ${ZE_PREFIX}/bin/${program})
    ze_check("${link} is a symbolic link" IS_SYMLINK ${link})
    file(READ_SYMLINK ${link} target)
    # Relative, so that the tree can be moved or packaged as a whole.
    ze_check("${link} points to ../${ZE_INSTALL_APP_DIR}/${program}, not ${target}"
             target STREQUAL "../${ZE_INSTALL_APP_DIR}/${program}")
    ze_check("${app}/${program} exists" EXISTS ${app}/${program})
  endforeach()

  file(GLOB_RECURSE shipped RELATIVE ${ZE_SOURCE_DIR}/template ${ZE_SOURCE_DIR}/template/*)
  list(LENGTH shipped count)
  ze_check("the source has templates" count GREATER 0)
  foreach(file ${shipped})
    ze_check("${app}/template/${file} exists" EXISTS ${app}/template/${file})
  endforeach()
  foreach(folder ${ZE_INSTALL_IMAGE_FOLDERS})
    file(GLOB shipped RELATIVE ${ZE_SOURCE_DIR}/images/${folder} ${ZE_SOURCE_DIR}/images/${folder}/*)
    foreach(file ${shipped})
      ze_check("${app}/${folder}/${file} exists" EXISTS ${app}/${folder}/${file})
    endforeach()
  endforeach()
  # The editor's start page offers the example project found here.
  ze_check("${app}/examples/SampleApp.moxspro exists" EXISTS ${app}/examples/SampleApp.moxspro)
  foreach(file applications/ze-resource-editor.desktop mime/packages/ze-resource-editor.xml
               icons/hicolor/scalable/apps/ze-resource-editor.svg
               icons/hicolor/scalable/mimetypes/application-x-ze-moxspro.svg)
    ze_check("${ZE_PREFIX}/share/${file} exists" EXISTS ${ZE_PREFIX}/share/${file})
  endforeach()

  # The manifest lists the links too, so that removing every listed file
  # uninstalls completely.
  file(STRINGS ${ZE_BUILD_DIR}/install_manifest.txt manifest)
  foreach(program ${programs})
    list(FIND manifest ${ZE_PREFIX}/bin/${program} index)
    ze_check("install_manifest.txt lists bin/${program}" index GREATER -1)
  endforeach()

  # Started through its link, the installed ze-tool finds the installed
  # templates by default: generate a dialog class from the example project.
  set(out ${ZE_PREFIX}/skeleton-out)
  file(MAKE_DIRECTORY ${out})
  execute_process(COMMAND ${ZE_PREFIX}/bin/ze-tool skeleton
                          ${ZE_SOURCE_DIR}/examples/SampleApp.moxspro --out ${out} --dialog Main
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  ze_check("the installed ze-tool generates from the installed templates:\n${output}"
           result EQUAL 0)
  ze_check("SampleAppDialogMain.h is generated" EXISTS ${out}/SampleAppDialogMain.h)
  file(REMOVE_RECURSE ${ZE_PREFIX})
  return()
endif()

function(ze_add_install_rules)
  set(programs)
  foreach(program ${ZE_INSTALL_PROGRAMS})
    # ze-editor is absent from builds without the widget layers.
    if(TARGET ${program})
      list(APPEND programs ${program})
    endif()
  endforeach()
  if(NOT programs)
    return()
  endif()

  install(TARGETS ${programs} RUNTIME DESTINATION ${ZE_INSTALL_APP_DIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/template/ DESTINATION ${ZE_INSTALL_APP_DIR}/template)
  # The example project, with the resources its dialogs name.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${ZE_INSTALL_APP_DIR}/examples)
  foreach(folder ${ZE_INSTALL_IMAGE_FOLDERS})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/images/${folder} DESTINATION ${ZE_INSTALL_APP_DIR}
            OPTIONAL)
  endforeach()

  # Relative links, created at install time under the prefix actually used
  # (cmake --install --prefix) and below DESTDIR for staged installs.
  foreach(program ${programs})
    install(CODE "
      set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\")
      message(STATUS \"Installing: \${link}\")
      file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
      file(REMOVE \"\${link}\")
      file(CREATE_LINK \"../${ZE_INSTALL_APP_DIR}/${program}\" \"\${link}\" SYMBOLIC)
      list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${CMAKE_INSTALL_PREFIX}/bin/${program}\")
    ")
  endforeach()

  set(dist ${PROJECT_SOURCE_DIR}/dist)
  install(FILES ${dist}/ze-resource-editor.desktop DESTINATION share/applications)
  install(FILES ${dist}/ze-resource-editor-mime.xml DESTINATION share/mime/packages
          RENAME ze-resource-editor.xml)
  install(FILES ${dist}/ze-resource-editor.svg DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES ${dist}/ze-resource-editor.svg DESTINATION share/icons/hicolor/scalable/mimetypes
          RENAME application-x-ze-moxspro.svg)

  if(ZE_BUILD_TESTS AND TARGET ze-tool)
    string(REPLACE ";" "," program_list "${programs}")
    add_test(NAME install_layout
             COMMAND ${CMAKE_COMMAND} -DZE_BUILD_DIR=${CMAKE_BINARY_DIR}
                     -DZE_SOURCE_DIR=${PROJECT_SOURCE_DIR}
                     -DZE_PREFIX=${CMAKE_BINARY_DIR}/install-check
                     -DZE_PROGRAMS=${program_list} -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE})
    set_tests_properties(install_layout PROPERTIES LABELS tool RESOURCE_LOCK install_tree)
  endif()
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL ze_add_install_rules)
