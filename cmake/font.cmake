# The text font: a Debian console font turned into font_data.cpp at build time.
set(PIXED_FONT_FILE /usr/share/consolefonts/Lat15-TerminusBold16.psf.gz
    CACHE FILEPATH "Gzipped PSF console font (8 x 16) the text is drawn with")
if(NOT EXISTS ${PIXED_FONT_FILE})
  message(FATAL_ERROR "Font ${PIXED_FONT_FILE} not found: install the console-setup-linux package")
endif()

add_executable(font_to_cpp ${PROJECT_SOURCE_DIR}/tools/font_to_cpp.cpp)

add_custom_command(
  OUTPUT ${PIXED_GENERATED_DIR}/font_data.cpp
  COMMAND sh -c "gzip -dc \"$0\" > \"$1\"" ${PIXED_FONT_FILE} ${PIXED_GENERATED_DIR}/font.psf
  COMMAND font_to_cpp ${PIXED_GENERATED_DIR}/font.psf ${PIXED_GENERATED_DIR}/font_data.cpp
  DEPENDS font_to_cpp ${PIXED_FONT_FILE}
  COMMENT "Generating the text font from ${PIXED_FONT_FILE}"
  VERBATIM)

set(PIXED_FONT_SOURCE ${PIXED_GENERATED_DIR}/font_data.cpp)
