# The real program under a private X server (tests/xvfb/*.sh), registered when
# the X server, xdotool and ImageMagick are installed.
if(NOT TARGET pixed)
  return()
endif()

set(PIXED_XVFB_TOOLS Xvfb xdotool xdpyinfo import convert compare)
set(PIXED_XVFB_MISSING "")
foreach(tool ${PIXED_XVFB_TOOLS})
  string(TOUPPER "PIXED_TOOL_${tool}" variable)
  find_program(${variable} ${tool})
  if(NOT ${variable})
    list(APPEND PIXED_XVFB_MISSING ${tool})
  endif()
endforeach()
if(NOT TARGET PkgConfig::PNG)
  pkg_check_modules(PNG IMPORTED_TARGET libpng)
endif()
if(NOT TARGET PkgConfig::PNG)
  list(APPEND PIXED_XVFB_MISSING libpng)
endif()
if(PIXED_XVFB_MISSING)
  message(STATUS "Real-program checks under Xvfb left out; missing: ${PIXED_XVFB_MISSING}")
  return()
endif()

# Reads the screenshots: one small program instead of many ImageMagick runs per screenshot.
add_executable(xvfb_screen_probe ${CMAKE_CURRENT_LIST_DIR}/xvfb/screen_probe.cpp)
target_link_libraries(xvfb_screen_probe PRIVATE PkgConfig::PNG)

# The platform's input as the editor reads it, over the sdl backend (input_devices.sh).
add_executable(xvfb_input_probe ${CMAKE_CURRENT_LIST_DIR}/xvfb/input_probe.cpp)
target_link_libraries(xvfb_input_probe PRIVATE pixed_platform_sdl pixed_platform_soft pixed_editor)

add_test(NAME xvfb_input_devices
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/xvfb/input_devices.sh $<TARGET_FILE:xvfb_input_probe>
                 $<TARGET_FILE:xvfb_screen_probe> "${PIXED_BITMAP_DIR}" ${CMAKE_CURRENT_BINARY_DIR}/xvfb/input_devices)
set_tests_properties(xvfb_input_devices PROPERTIES TIMEOUT 120 RESOURCE_LOCK xvfb SKIP_RETURN_CODE 77 LABELS xvfb)

# The headless start screen that the real program must show too.
set(PIXED_GOLDEN_STARTUP ${CMAKE_CURRENT_LIST_DIR}/golden/startup.png)

foreach(check foundation startup_paint whole_job installed fifty_starts large_screen end_signals undo_keys typing
              brisk_typing tools frames frame_edits large_image recovery palette view_edits)
  add_test(NAME xvfb_${check}
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/xvfb/${check}.sh $<TARGET_FILE:pixed> $<TARGET_FILE:xvfb_screen_probe>
                   "${PIXED_BITMAP_DIR}"
                   ${CMAKE_CURRENT_BINARY_DIR}/xvfb/${check} "${PIXED_GOLDEN_STARTUP}")
  # One at a time: they watch real time, and two of them would share the processor.
  set_tests_properties(xvfb_${check} PROPERTIES TIMEOUT 180 RESOURCE_LOCK xvfb SKIP_RETURN_CODE 77
                                                LABELS xvfb)
endforeach()
# The installed check lays the program out with cmake --install.
set_tests_properties(xvfb_installed PROPERTIES ENVIRONMENT "PIXED_CMAKE=${CMAKE_COMMAND}")
# The recovery check reads the set-aside copy with pixtool, the large image's check its saved fill,
# the palette check the saved file's export.
set_tests_properties(xvfb_recovery xvfb_large_image xvfb_palette PROPERTIES ENVIRONMENT
                     "PIXED_PIXTOOL=$<TARGET_FILE:pixtool>")
# Fifty runs of the program, about a second each under the sanitizers.
set_tests_properties(xvfb_fifty_starts PROPERTIES TIMEOUT 400)
