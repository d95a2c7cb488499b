# The Windows program pixed.exe: the editor over the real DirectDraw 7, DirectInput 7, GDI and
# sounds (src/platform/win32), cross-built with the toolchain file cmake/mingw-w64-x86_64.cmake.
# The button bitmaps are made by the native build (tools/make_buttons.cpp); PIXED_BITMAP_DIR names
# them, and they are copied beside the program. scripts/build.sh win32 does all of it.
enable_language(RC)

set(PIXED_BITMAP_DIR "" CACHE PATH "Folder of the button bitmaps made by the native build")

# The same editor sources as on Linux, untouched; the Windows C library gets the POSIX names they
# use from posix_compat.h, and 64-bit file positions.
include(cmake/editor_sources.cmake)
# zlib, libpng and giflib, built from Debian's sources for this toolchain, and the export library
# over them, which the editor and pixtool.exe share.
include(cmake/image_libraries.cmake)
add_subdirectory(src/export)
target_compile_definitions(pixed_export PUBLIC _FILE_OFFSET_BITS=64)
# Objects, not an archive: WinMain is called from the C runtime's library, which the linker reads
# after ours.
add_library(pixed_editor OBJECT ${EDITOR_SOURCES})
target_include_directories(pixed_editor PUBLIC src)
target_link_libraries(pixed_editor PUBLIC pixed_palette pixed_export ZLIB::ZLIB)
target_compile_definitions(pixed_editor PUBLIC _FILE_OFFSET_BITS=64)
target_compile_options(pixed_editor PRIVATE -include ${PROJECT_SOURCE_DIR}/src/platform/win32/posix_compat.h)

set(PIXED_WIN32_DIR ${PROJECT_SOURCE_DIR}/src/platform/win32)
# Of the software platform, only the display-free parts the sdl and web backends share: the fit,
# the frames and their scaling into the window (the sdl backend's too), the pointer's confinement
# (and the key latches, in headers), and the queue of file work done off the editor's thread.
set(PIXED_SOFT_DIR ${PROJECT_SOURCE_DIR}/src/platform/soft)
add_library(pixed_platform_win32 OBJECT
  ${PIXED_WIN32_DIR}/win32_display.cpp ${PIXED_WIN32_DIR}/win32_gdi.cpp ${PIXED_WIN32_DIR}/win32_input.cpp
  ${PIXED_WIN32_DIR}/win32_system.cpp ${PIXED_WIN32_DIR}/win32_window.cpp ${PIXED_WIN32_DIR}/win32_desktop.cpp
  ${PIXED_WIN32_DIR}/win32_present.cpp ${PIXED_WIN32_DIR}/win32_pointer.cpp
  ${PIXED_WIN32_DIR}/win32_bitmaps.cpp ${PIXED_WIN32_DIR}/win32_keys.cpp ${PIXED_WIN32_DIR}/win32_state_files.cpp
  ${PIXED_SOFT_DIR}/screen_fit.cpp ${PIXED_SOFT_DIR}/shown_frame.cpp ${PIXED_SOFT_DIR}/frame_scaler.cpp
  ${PIXED_SOFT_DIR}/pointer_track.cpp ${PIXED_SOFT_DIR}/file_queue.cpp)
target_compile_definitions(pixed_platform_win32 PUBLIC _FILE_OFFSET_BITS=64)

# The resource compiler's script, made from resources/pixed.rc ("number type file" lines): the
# sounds as WAVE resources in English (United States), language 1033.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/pixed.rc)
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/pixed.rc PIXED_RESOURCE_LINES)
set(PIXED_WINDRES_SCRIPT "LANGUAGE 9, 1\n")
foreach(line IN LISTS PIXED_RESOURCE_LINES)
  string(REGEX REPLACE "#.*" "" line "${line}")
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^([0-9]+)[ \t]+([A-Za-z0-9_]+)[ \t]+([^ \t]+)$")
    message(FATAL_ERROR "resources/pixed.rc: not a \"number type file\" line: ${line}")
  endif()
  string(APPEND PIXED_WINDRES_SCRIPT
         "${CMAKE_MATCH_1} ${CMAKE_MATCH_2} \"${PROJECT_SOURCE_DIR}/resources/${CMAKE_MATCH_3}\"\n")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/${CMAKE_MATCH_3})
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/pixed.rc CONTENT "${PIXED_WINDRES_SCRIPT}")

set(PIXED_WIN32_LIBRARIES ddraw dinput dxguid winmm gdi32)

# One file with nothing beside it: the C and C++ runtimes linked in.
add_executable(pixed WIN32 ${CMAKE_BINARY_DIR}/generated/pixed.rc ${PIXED_WIN32_DIR}/win32_pass_idle.cpp)
target_link_libraries(pixed PRIVATE pixed_editor pixed_platform_win32 ${PIXED_WIN32_LIBRARIES})
target_link_options(pixed PRIVATE -static)

# The same program timing its main-loop passes (PIXED_PASSES of them), a console program so that
# it can print the figures.
add_executable(pixed_pass_bench ${CMAKE_BINARY_DIR}/generated/pixed.rc ${PIXED_WIN32_DIR}/win32_pass_bench.cpp
                                ${PIXED_SOFT_DIR}/pass_timer.cpp)
target_link_libraries(pixed_pass_bench PRIVATE pixed_editor pixed_platform_win32 ${PIXED_WIN32_LIBRARIES})
target_link_options(pixed_pass_bench PRIVATE -static)

# pixtool.exe: the same command as on Linux, one file with its libraries inside.
add_subdirectory(src/pixtool)
target_compile_definitions(pixtool_core PUBLIC _FILE_OFFSET_BITS=64)
target_link_options(pixtool PRIVATE -static)
set_target_properties(pixtool PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

if(PIXED_BITMAP_DIR)
  file(GLOB PIXED_BUTTON_BITMAPS CONFIGURE_DEPENDS ${PIXED_BITMAP_DIR}/*.bmp)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/bitmaps.stamp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bitmaps
    COMMAND ${CMAKE_COMMAND} -E copy ${PIXED_BUTTON_BITMAPS} ${CMAKE_BINARY_DIR}/bitmaps
    COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/bitmaps.stamp
    DEPENDS ${PIXED_BUTTON_BITMAPS}
    COMMENT "Copying the button bitmaps beside pixed.exe"
    VERBATIM)
  add_custom_target(button_bitmaps ALL DEPENDS ${CMAKE_BINARY_DIR}/bitmaps.stamp)
endif()

# A check run under Wine by the tests: pixed.exe carries the sounds as PlaySoundA finds them.
add_executable(resource_check ${PROJECT_SOURCE_DIR}/tests/win32/resource_check.cpp)
target_link_options(resource_check PRIVATE -static)

# A check run under Wine by the tests: the backend's file calls.
add_executable(files_check ${PROJECT_SOURCE_DIR}/tests/win32/files_check.cpp ${PIXED_WIN32_DIR}/win32_pass_idle.cpp)
target_include_directories(files_check PRIVATE src)
target_compile_definitions(files_check PRIVATE _FILE_OFFSET_BITS=64)
target_link_libraries(files_check PRIVATE pixed_platform_win32 ${PIXED_WIN32_LIBRARIES})
target_link_options(files_check PRIVATE -static)

# A check run under Wine by the tests: the wheel, the buttons and the keys as the editor reads them.
add_executable(input_probe ${PROJECT_SOURCE_DIR}/tests/xvfb/input_probe.cpp ${PIXED_WIN32_DIR}/win32_pass_idle.cpp)
target_include_directories(input_probe PRIVATE src)
target_link_libraries(input_probe PRIVATE pixed_platform_win32 ${PIXED_WIN32_LIBRARIES})
target_link_options(input_probe PRIVATE -static)

# A check run under Wine by the tests: what a desktop does to the editor's window (focus,
# minimising, the resolution changing).
add_executable(window_events ${PROJECT_SOURCE_DIR}/tests/win32/window_events.cpp)
target_link_options(window_events PRIVATE -static)
