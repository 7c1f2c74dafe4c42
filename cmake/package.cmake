# The Debian package: `cpack -G DEB` in a build folder makes
# ze-resource-editor_VERSION_amd64.deb from the install rules of install.cmake
# and the desktop extras below (AppStream metadata, manual pages, bash
# completion). scripts/package.sh configures, builds and packs in one go.
#
# Included from the top-level CMakeLists.txt after install.cmake.

function(ze_add_package_rules)
  if(NOT TARGET ze-tool)
    return()
  endif()
  set(dist ${PROJECT_SOURCE_DIR}/dist)
  install(FILES ${dist}/org.zeresourceeditor.ZeResourceEditor.metainfo.xml
          DESTINATION share/metainfo)
  # Manual pages go compressed, as Debian installs them (gzip -n: no name or
  # time in the header, so the same page gives the same bytes).
  set(pages)
  foreach(page ze-editor.1 ze-tool.1)
    set(compressed ${CMAKE_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${compressed}
                       COMMAND ${CMAKE_COMMAND} -E copy ${dist}/man/${page} ${CMAKE_BINARY_DIR}/man/${page}
                       COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${page}
                       DEPENDS ${dist}/man/${page} VERBATIM)
    list(APPEND pages ${compressed})
  endforeach()
  add_custom_target(ze_manual_pages ALL DEPENDS ${pages})
  install(FILES ${pages} DESTINATION share/man/man1)
  install(FILES ${dist}/completion/ze-tool DESTINATION share/bash-completion/completions)
endfunction()
ze_add_package_rules()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ze-resource-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ze Resource Editor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Editor for the dialogs of device applications, with a command-line tool")
set(CPACK_PACKAGE_DESCRIPTION
    "Ze Resource Editor edits the user-interface resources of applications that run on a
device reached over the local network: dialogs as trees of groups and objects, their
properties, a preview as the device shows them, sending to a connected device, checks
and the source skeleton of the device application. ze-tool runs the same core without
a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ze Resource Editor developers <ze-resource-editor@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The offscreen and xcb platforms are plugins: no library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-ipafont-gothic")
include(CPack)
