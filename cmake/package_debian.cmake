# The Debian package pixed_<version>_amd64.deb, made by cpack (scripts/package.sh): what
# cmake --install lays out under /usr, with the manual pages, the copyright file and the changelog
# in /usr/share/doc/pixed, which cmake --install puts under its prefix too.
set(PIXED_DOC_DIR ${CMAKE_BINARY_DIR}/doc)
file(MAKE_DIRECTORY ${PIXED_DOC_DIR})

# The copyright file in Debian's machine-readable form: pixed's licence and the terms of the
# Terminus Font compiled into it, taken from the package the font itself comes from.
set(PIXED_FONT_COPYRIGHT /usr/share/doc/console-setup-linux/copyright.fonts.gz
    CACHE FILEPATH "The copyright terms of the console fonts, the text font's among them")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${PIXED_DOC_DIR}/copyright.head @ONLY)
add_custom_command(
  OUTPUT ${PIXED_DOC_DIR}/copyright
  COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/make_copyright.sh ${PIXED_DOC_DIR}/copyright.head
          ${PROJECT_SOURCE_DIR}/LICENSE ${PIXED_FONT_COPYRIGHT} ${PIXED_DOC_DIR}/copyright
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/make_copyright.sh ${PIXED_DOC_DIR}/copyright.head
          ${PROJECT_SOURCE_DIR}/LICENSE ${PIXED_FONT_COPYRIGHT}
  COMMENT "Writing the copyright file"
  VERBATIM)
# The changelog: CHANGELOG.md in the form Debian's tools read.
add_custom_command(
  OUTPUT ${PIXED_DOC_DIR}/changelog.gz
  COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/debian_changelog.sh ${PROJECT_SOURCE_DIR}/CHANGELOG.md
          ${PIXED_MAINTAINER} ${PIXED_DOC_DIR}/changelog
  COMMAND gzip -9nf ${PIXED_DOC_DIR}/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian_changelog.sh ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  COMMENT "Writing the changelog"
  VERBATIM)
add_custom_target(package_docs ALL DEPENDS ${PIXED_DOC_DIR}/copyright ${PIXED_DOC_DIR}/changelog.gz)
install(FILES ${PIXED_DOC_DIR}/copyright ${PIXED_DOC_DIR}/changelog.gz DESTINATION share/doc/pixed)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pixed)
set(CPACK_PACKAGE_VENDOR "pixed maintainers")
set(CPACK_PACKAGE_CONTACT "${PIXED_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The long description: paragraphs apart by an empty line.
set(CPACK_PACKAGE_DESCRIPTION [=[
pixed draws the graphics of a game pixel by pixel. It takes the whole screen
as one 800 x 600 picture with a 256-colour palette: the image at 1:1 twice,
as last loaded and as being edited, beside a magnified grid in which every
pixel is a 4 x 4 cell, and a panel of 81 colour swatches.

Images live in pix files, raw palette indices one image after another, so a
game reads them directly and the editor loads and saves them by number. The
companion command pixtool turns pix files into indexed PNG files with the
editor's palette, as single images or sprite sheets with their frames as JSON
for game engines, and takes PNG files back; it writes a file's images as an
animated GIF and the editor's palette as GIMP, JASC, Adobe and hex palette
files.]=])
# The same text for software centres.
include(${CMAKE_CURRENT_LIST_DIR}/metainfo.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PIXED_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# The libraries the programs link, with their versions, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
