# The Windows program: the same source for the 32-bit product and the 64-bit build the tests run.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(OMBRIX_MANIFEST_ARCH x86)
else()
  set(OMBRIX_MANIFEST_ARCH amd64)
endif()
set(generated ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/resources/ombrix.manifest.in ${generated}/ombrix.manifest @ONLY)

foreach(image crosshairCursor:crosshair.cur applicationIcon:ombrix.ico)
  string(REPLACE ":" ";" parts ${image})
  list(GET parts 0 name)
  list(GET parts 1 file)
  add_custom_command(OUTPUT ${generated}/${name}.cpp
    COMMAND ${CMAKE_COMMAND} -DINPUT=${PROJECT_SOURCE_DIR}/resources/${file} -DOUTPUT=${generated}/${name}.cpp
            -DNAME=${name} -P ${PROJECT_SOURCE_DIR}/cmake/embed.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/${file} ${PROJECT_SOURCE_DIR}/cmake/embed.cmake
    VERBATIM)
  list(APPEND image_sources ${generated}/${name}.cpp)
endforeach()

# Everything but the entry point and the frame drawing, so that tests can link the real handlers
# with a frame routine that counts its calls.
add_library(ombrix_core STATIC
  ${image_sources}
  resources/images.cpp
  platform/toolkit.cpp
  platform/controls.cpp
  platform/picture_box.cpp
  platform/list_view.cpp
  platform/form.cpp
  platform/tray_icon.cpp
  picker/picker.cpp
  hidden/hidden_list.cpp
  hidden/exit_policy.cpp
  hidden/processes.cpp
  app/main_window.cpp
  app/start_up.cpp
  app/tray.cpp)
target_include_directories(ombrix_core PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(ombrix_core PRIVATE ${OMBRIX_PROGRAM_FLAGS})
target_compile_definitions(ombrix_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 PSAPI_VERSION=1)
target_link_libraries(ombrix_core PUBLIC ombrix_pure comctl32 psapi)

add_library(ombrix_frame OBJECT picker/window_frame.cpp)
target_include_directories(ombrix_frame PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(ombrix_frame PRIVATE ${OMBRIX_PROGRAM_FLAGS})
target_compile_definitions(ombrix_frame PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)

add_executable(ombrix WIN32 app/main.cpp app/runtime.cpp $<TARGET_OBJECTS:ombrix_frame> resources/ombrix.rc)
target_compile_options(ombrix PRIVATE ${OMBRIX_PROGRAM_FLAGS})
target_link_libraries(ombrix PRIVATE ombrix_core)
# libgcc and libstdc++ linked in, so the executable imports only system DLLs.
target_link_options(ombrix PRIVATE -static -s -Wl,--gc-sections)
target_include_directories(ombrix PRIVATE ${generated} ${PROJECT_SOURCE_DIR}/resources)
# The resource script is UTF-8, like every source file.
set_source_files_properties(resources/ombrix.rc PROPERTIES
  COMPILE_FLAGS "-c 65001"
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/resources/ombrix.ico;${generated}/ombrix.manifest;${PROJECT_SOURCE_DIR}/resources/version.h")
