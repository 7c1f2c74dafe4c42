# The image folders the log pane scans ("objects", "assets", "samples"),
# copied beside the executables so that a build runs as installed. The copy
# is redone whenever a shipped image is added, removed or changed; folders
# are replaced whole so that a removed image does not linger.
set(ZE_IMAGES_DIR ${PROJECT_SOURCE_DIR}/images)
set(ZE_IMAGE_FOLDERS objects assets samples)
set(ZE_IMAGES_STAMP ${CMAKE_CURRENT_BINARY_DIR}/ze_images.stamp)

set(ZE_IMAGE_FILES)
set(ZE_IMAGES_COPY)
foreach(folder ${ZE_IMAGE_FOLDERS})
  file(GLOB files LIST_DIRECTORIES false CONFIGURE_DEPENDS ${ZE_IMAGES_DIR}/${folder}/*)
  list(APPEND ZE_IMAGE_FILES ${files})
  list(APPEND ZE_IMAGES_COPY
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${ZE_IMAGES_DIR}/${folder}
            ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder})
endforeach()

add_custom_command(OUTPUT ${ZE_IMAGES_STAMP}
  ${ZE_IMAGES_COPY}
  COMMAND ${CMAKE_COMMAND} -E touch ${ZE_IMAGES_STAMP}
  DEPENDS ${ZE_IMAGE_FILES} ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Copying the shipped image folders beside the executables"
  VERBATIM)
add_custom_target(ze_images ALL DEPENDS ${ZE_IMAGES_STAMP})
add_dependencies(ze_app ze_images)

# The program that draws the shipped images. Not part of the normal build:
#   cmake --build <build> --target ze_make_images
#   QT_QPA_PLATFORM=offscreen <build>/bin/ze-make-images images
add_executable(ze-make-images EXCLUDE_FROM_ALL ${ZE_IMAGES_DIR}/make_images.cpp)
target_link_libraries(ze-make-images PRIVATE Qt6::Gui)
add_custom_target(ze_make_images DEPENDS ze-make-images)
