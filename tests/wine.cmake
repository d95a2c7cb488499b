# pixed.exe under Wine on a private X server (tests/xvfb/*.sh with the .exe, and tests/xvfb/wine_*.sh):
# cross-built into win32/ of this build folder by scripts/build.sh win32, with the native build's
# button bitmaps. Registered when the mingw-w64 cross compiler is installed; the checks skip (77)
# when Wine is not.
if(NOT TARGET xvfb_screen_probe)
  return()
endif()
find_program(PIXED_MINGW_CXX NAMES x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++)
if(NOT PIXED_MINGW_CXX)
  message(STATUS "pixed.exe and its checks under Wine left out: no x86_64-w64-mingw32-g++ (g++-mingw-w64-x86-64)")
  return()
endif()

set(PIXED_WIN32_BUILD_DIR ${CMAKE_BINARY_DIR}/win32)
set(PIXED_EXE ${PIXED_WIN32_BUILD_DIR}/pixed.exe)
if(PIXED_WERROR)
  set(PIXED_WIN32_WERROR ON)
else()
  set(PIXED_WIN32_WERROR OFF)
endif()
# The cross build keeps its own folder; it runs on every build and does nothing when nothing changed.
add_custom_target(pixed_exe ALL
  COMMAND ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS PIXED_WERROR=${PIXED_WIN32_WERROR}
          bash ${PROJECT_SOURCE_DIR}/scripts/build.sh win32 ${PIXED_WIN32_BUILD_DIR} ${PIXED_BITMAP_DIR}
  COMMENT "Cross-building pixed.exe in ${PIXED_WIN32_BUILD_DIR}"
  VERBATIM)
add_dependencies(pixed_exe button_bitmaps)

# One Wine prefix for the run, made by the first check and shared by the others.
set(PIXED_WINE_PREFIX ${CMAKE_CURRENT_BINARY_DIR}/wine/prefix)
add_test(NAME wine_prefix COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/xvfb/wine_prefix.sh ${PIXED_WINE_PREFIX})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 120 SKIP_RETURN_CODE 77
                                            LABELS wine)

# Each as NAME=SCRIPT[,VARIABLE=VALUE]: the Linux program's checks, on the desktop's own mode; the
# first of them again in the exclusive mode (800 x 600, 1:1); the undo keys; names typed faster than
# an entry polls; the session against the Linux program at 800 x 600 and at 1920 x 1080; the
# exclusive mode refused elsewhere; the session's end; focus, minimising and the resolution changing.
# A game's palette in the folder, shown, painted and edited. The wheel's zoom, a paste and the mirror,
# saved as the Linux program saves them.
foreach(entry foundation=foundation startup_paint=startup_paint
              exclusive_startup_paint=startup_paint,PIXED_ARGS=--exclusive large_screen=large_screen
              undo_keys=undo_keys brisk_typing=brisk_typing
              whole_run=wine_whole_run large_session=wine_whole_run,PIXED_SCREEN=1920x1080
              wrong_screen=wine_wrong_screen session_end=wine_session_end desktop=wine_desktop recovery=recovery
              palette=palette,PIXED_PIXTOOL=$<TARGET_FILE:pixtool> view_edits=view_edits)
  string(REGEX MATCH "^([a-z_]+)=([a-z_]+),?(.*)$" matched ${entry})
  set(name ${CMAKE_MATCH_1})
  set(check ${CMAKE_MATCH_2})
  set(extra ${CMAKE_MATCH_3})
  add_test(NAME wine_${name}
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/xvfb/${check}.sh ${PIXED_EXE} $<TARGET_FILE:xvfb_screen_probe>
                   "${PIXED_BITMAP_DIR}" ${CMAKE_CURRENT_BINARY_DIR}/wine/${name} "${PIXED_GOLDEN_STARTUP}")
  set_tests_properties(wine_${name} PROPERTIES
    ENVIRONMENT "PIXED_WINE_PREFIX=${PIXED_WINE_PREFIX};PIXED_SDL=$<TARGET_FILE:pixed>;${extra}"
    FIXTURES_REQUIRED wine_prefix TIMEOUT 240 RESOURCE_LOCK "xvfb;wine" SKIP_RETURN_CODE 77 LABELS "xvfb;wine")
endforeach()

# The wheel, the buttons and the keys as the win32 backend gives them, read by its input probe.
add_test(NAME wine_input_devices
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/xvfb/input_devices.sh ${PIXED_WIN32_BUILD_DIR}/input_probe.exe
                 $<TARGET_FILE:xvfb_screen_probe> "${PIXED_BITMAP_DIR}" ${CMAKE_CURRENT_BINARY_DIR}/wine/input_devices)
set_tests_properties(wine_input_devices PROPERTIES
  ENVIRONMENT "PIXED_WINE_PREFIX=${PIXED_WINE_PREFIX}"
  FIXTURES_REQUIRED wine_prefix TIMEOUT 180 RESOURCE_LOCK "xvfb;wine" SKIP_RETURN_CODE 77 LABELS "xvfb;wine")

# Windows programs of the checks, run under Wine without a display: the sounds inside pixed.exe
# found through the system's resource calls, and the backend's file calls.
# Each Wine check waits for the prefix's processes to end, and none runs beside another: a check
# must not find Wine's processes of another, started with another display or none.
set(PIXED_WINE_RUN "command -v wine >/dev/null || { echo 'SKIP: wine is not installed'; exit 77; }; wine \"$@\"; status=$?; wineserver -w; exit $status")
add_test(NAME wine_resources
         COMMAND bash -c "${PIXED_WINE_RUN}" wine ${PIXED_WIN32_BUILD_DIR}/resource_check.exe ${PIXED_EXE}
                 ${PROJECT_SOURCE_DIR}/resources/click.wav ${PROJECT_SOURCE_DIR}/resources/saved.wav)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/wine/files)
add_test(NAME wine_files COMMAND bash -c "${PIXED_WINE_RUN}" wine ${PIXED_WIN32_BUILD_DIR}/files_check.exe
                                 ${CMAKE_CURRENT_BINARY_DIR}/wine/files)
set_tests_properties(wine_resources wine_files PROPERTIES
  ENVIRONMENT "WINEPREFIX=${PIXED_WINE_PREFIX};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml="
  FIXTURES_REQUIRED wine_prefix TIMEOUT 60 SKIP_RETURN_CODE 77 RESOURCE_LOCK wine LABELS wine)

# pixtool.exe against the Linux pixtool, file for file and byte for byte (tests/cli/pixtool_alike.sh).
add_test(NAME wine_pixtool
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/cli/pixtool_alike.sh $<TARGET_FILE:pixtool>
                 ${CMAKE_CURRENT_BINARY_DIR}/wine/pixtool wine ${PIXED_WIN32_BUILD_DIR}/pixtool.exe)
set_tests_properties(wine_pixtool PROPERTIES ENVIRONMENT "WINEPREFIX=${PIXED_WINE_PREFIX}"
  FIXTURES_REQUIRED wine_prefix TIMEOUT 180 SKIP_RETURN_CODE 77 RESOURCE_LOCK wine LABELS wine)
