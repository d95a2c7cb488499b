# The site (scripts/build.sh web) built into web/ of this build folder from its generated sources and
# button bitmaps, and checked in headless Chromium after a session of the Linux program under a
# private X server (tests/web/site_checks.sh). Registered when Emscripten and the X server's tools are.
if(NOT TARGET xvfb_screen_probe)
  return()
endif()
find_program(PIXED_EMCMAKE emcmake)
if(NOT PIXED_EMCMAKE)
  message(STATUS "The site and its browser checks left out: no emcmake (emscripten)")
  return()
endif()

set(PIXED_WEB_BUILD_DIR ${CMAKE_BINARY_DIR}/web)
if(PIXED_WERROR)
  set(PIXED_WEB_WERROR ON)
else()
  set(PIXED_WEB_WERROR OFF)
endif()
# Its own folder; it runs on every build and does nothing when nothing changed.
add_custom_target(pixed_site ALL
  COMMAND ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS PIXED_WERROR=${PIXED_WEB_WERROR}
          bash ${PROJECT_SOURCE_DIR}/scripts/build.sh web ${PIXED_WEB_BUILD_DIR} ${CMAKE_BINARY_DIR}
  COMMENT "Building the site in ${PIXED_WEB_BUILD_DIR}/site"
  VERBATIM)
# The font's and the sounds' sources are made by the rules these libraries carry.
add_dependencies(pixed_site button_bitmaps pixed_platform_soft pixed_editor)

add_test(NAME web_site
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/web/site_checks.sh $<TARGET_FILE:pixed>
                 $<TARGET_FILE:xvfb_screen_probe> ${PIXED_BITMAP_DIR} ${CMAKE_CURRENT_BINARY_DIR}/web
                 ${PIXED_GOLDEN_STARTUP})
set_tests_properties(web_site PROPERTIES ENVIRONMENT "PIXED_SITE=${PIXED_WEB_BUILD_DIR}/site" TIMEOUT 300
                                         RESOURCE_LOCK xvfb SKIP_RETURN_CODE 77 LABELS "xvfb;web")

# pixtool of the same build, over its zlib, libpng and giflib, under Node.js against the Linux pixtool.
add_test(NAME web_pixtool
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/cli/pixtool_alike.sh $<TARGET_FILE:pixtool>
                 ${CMAKE_CURRENT_BINARY_DIR}/web/pixtool node ${PIXED_WEB_BUILD_DIR}/wasm/src/pixtool/pixtool.js)
set_tests_properties(web_pixtool PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 LABELS web)
