# pixed's AppStream metainfo, share/metainfo/<PIXED_APP_ID>.metainfo.xml, from
# resources/pixed.metainfo.xml.in: its summary is the desktop entry's Comment, its description the
# Debian package's long description (CPACK_PACKAGE_DESCRIPTION, set before this is included), its
# releases the versions of CHANGELOG.md that carry a date, newest first. Either file changed makes
# CMake write it again.
set(PIXED_DESKTOP_ENTRY ${PROJECT_SOURCE_DIR}/resources/pixed.desktop)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PIXED_DESKTOP_ENTRY} ${PROJECT_SOURCE_DIR}/CHANGELOG.md)

function(pixed_xml_text out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(STRINGS ${PIXED_DESKTOP_ENTRY} comment REGEX "^Comment=")
string(REGEX REPLACE "^Comment=" "" comment "${comment}")
pixed_xml_text(PIXED_METAINFO_SUMMARY "${comment}")

# Paragraphs apart by an empty line; the lines of one paragraph joined.
string(STRIP "${CPACK_PACKAGE_DESCRIPTION}" description)
pixed_xml_text(description "${description}")
string(REPLACE "\n\n" "</p><p>" description "${description}")
string(REPLACE "\n" " " description "${description}")
string(REPLACE "</p><p>" "</p>\n    <p>" PIXED_METAINFO_DESCRIPTION "${description}")

file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md headings REGEX "^## \\[[^]]+\\] - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]")
set(releases "")
foreach(heading IN LISTS headings)
  string(REGEX REPLACE "^## \\[([^]]+)\\] - ([0-9-]+).*" "    <release version=\"\\1\" date=\"\\2\"/>" release "${heading}")
  list(APPEND releases "${release}")
endforeach()
list(JOIN releases "\n" PIXED_METAINFO_RELEASES)

set(PIXED_METAINFO ${CMAKE_BINARY_DIR}/${PIXED_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/resources/pixed.metainfo.xml.in ${PIXED_METAINFO} @ONLY)
install(FILES ${PIXED_METAINFO} DESTINATION share/metainfo)
