# The release files as a user installs and starts them, the manual pages and the AppStream
# metainfo. scripts/package.sh makes the files in release-files/ of this build folder (the test
# command runs it before the tests, from the Release build in release-build/ and this build's
# pixed.exe); the checks skip (77) when they are missing.
set(PIXED_RELEASE_FILES ${CMAKE_BINARY_DIR}/release-files)
if(TARGET man_pages)
  add_test(NAME man_pages COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/release/man_pages.sh $<TARGET_FILE:pixed>
                                  $<TARGET_FILE:pixtool> ${PIXED_MAN_DIR} ${PROJECT_VERSION})
  set_tests_properties(man_pages PROPERTIES LABELS release)
endif()
# The metainfo as the build writes it.
find_program(PIXED_APPSTREAMCLI appstreamcli)
if(PIXED_APPSTREAMCLI)
  add_test(NAME metainfo COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/release/metainfo.sh ${PIXED_METAINFO} ${PROJECT_VERSION})
  set_tests_properties(metainfo PROPERTIES LABELS release)
endif()
# The site unpacked, served and opened in headless Chromium.
add_test(NAME package_site COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/release/site.sh
                                   ${PIXED_RELEASE_FILES}/pixed-${PROJECT_VERSION}-web.tar.gz ${CMAKE_CURRENT_BINARY_DIR}/release/site)
set_tests_properties(package_site PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77 LABELS "release;web")
if(NOT TARGET xvfb_screen_probe)
  return()
endif()

# Installs the package into this machine and removes it again.
add_test(NAME package_deb
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/release/deb.sh ${PIXED_RELEASE_FILES}/pixed_${PROJECT_VERSION}_amd64.deb
                 $<TARGET_FILE:xvfb_screen_probe> ${CMAKE_CURRENT_BINARY_DIR}/release/deb ${PIXED_GOLDEN_STARTUP})
set_tests_properties(package_deb PROPERTIES TIMEOUT 300 RESOURCE_LOCK "xvfb;dpkg" SKIP_RETURN_CODE 77
                                            LABELS "release;xvfb")
if(TEST wine_prefix)
  add_test(NAME package_zip
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/release/zip.sh
                   ${PIXED_RELEASE_FILES}/pixed-${PROJECT_VERSION}-windows-x86_64.zip
                   $<TARGET_FILE:xvfb_screen_probe> ${CMAKE_CURRENT_BINARY_DIR}/release/zip ${PIXED_GOLDEN_STARTUP}
                   $<TARGET_FILE:pixtool>)
  set_tests_properties(package_zip PROPERTIES ENVIRONMENT "PIXED_WINE_PREFIX=${PIXED_WINE_PREFIX}"
    FIXTURES_REQUIRED wine_prefix TIMEOUT 240 RESOURCE_LOCK "xvfb;wine" SKIP_RETURN_CODE 77 LABELS "release;xvfb;wine")
endif()
