# The Windows zip pixed-<version>-windows-x86_64.zip, made by cpack (scripts/package.sh): pixed.exe,
# pixtool.exe, the twenty button bitmaps, README.txt and the licence texts in one folder, the texts
# with Windows line ends. Unpacked, the folder is the program's working folder.
# The version, as Windows shows it in the program's properties.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/version.rc @ONLY CONTENT [=[
1 VERSIONINFO
FILEVERSION @PROJECT_VERSION_MAJOR@,@PROJECT_VERSION_MINOR@,@PROJECT_VERSION_PATCH@,0
PRODUCTVERSION @PROJECT_VERSION_MAJOR@,@PROJECT_VERSION_MINOR@,@PROJECT_VERSION_PATCH@,0
FILEOS 0x40004
FILETYPE 1
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904B0"
    BEGIN
      VALUE "CompanyName", "pixed maintainers"
      VALUE "FileDescription", "pixed, @PROJECT_DESCRIPTION@"
      VALUE "FileVersion", "@PROJECT_VERSION@"
      VALUE "InternalName", "pixed"
      VALUE "LegalCopyright", "Copyright (c) 2026 pixed maintainers, MIT licence"
      VALUE "OriginalFilename", "pixed.exe"
      VALUE "ProductName", "pixed"
      VALUE "ProductVersion", "@PROJECT_VERSION@"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x409, 1200
  END
END
]=])
target_sources(pixed PRIVATE ${CMAKE_BINARY_DIR}/generated/version.rc)

set(PIXED_ZIP_TEXTS ${CMAKE_BINARY_DIR}/zip-texts)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${PIXED_ZIP_TEXTS}/README.txt @ONLY
               NEWLINE_STYLE CRLF)

set(PIXED_FONT_COPYRIGHT /usr/share/doc/console-setup-linux/copyright.fonts.gz
    CACHE FILEPATH "The copyright terms of the console fonts, the button lettering's among them")
# What the static link put into pixed.exe besides pixed: the C runtime and winpthreads of mingw-w64,
# libstdc++ and libgcc of GCC.
set(PIXED_MINGW_COPYRIGHT /usr/share/doc/mingw-w64-x86-64-dev/copyright
    CACHE FILEPATH "The copyright terms of the mingw-w64 runtime")
set(PIXED_GCC_RUNTIME_COPYRIGHT /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright
    CACHE FILEPATH "The copyright terms of the GCC runtime libraries for mingw-w64")
# pixtool.exe holds zlib, libpng and giflib besides (cmake/image_libraries.cmake).
set(PIXED_LICENCE_TEXTS ${PIXED_ZIP_TEXTS}/LICENSE.txt ${PIXED_ZIP_TEXTS}/licences/mingw-w64-runtime.txt
    ${PIXED_ZIP_TEXTS}/licences/gcc-runtime.txt ${PIXED_ZIP_TEXTS}/licences/terminus-font.txt
    ${PIXED_ZIP_TEXTS}/licences/zlib.txt ${PIXED_ZIP_TEXTS}/licences/libpng.txt ${PIXED_ZIP_TEXTS}/licences/giflib.txt)
add_custom_command(
  OUTPUT ${PIXED_LICENCE_TEXTS}
  COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/windows_texts.sh ${PIXED_ZIP_TEXTS} ${PROJECT_SOURCE_DIR}/LICENSE
          ${PIXED_FONT_COPYRIGHT} ${PIXED_MINGW_COPYRIGHT} ${PIXED_GCC_RUNTIME_COPYRIGHT} ${PIXED_IMAGE_LIBRARY_LICENCES}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/windows_texts.sh ${PROJECT_SOURCE_DIR}/packaging/terminus_terms.sh
          ${PROJECT_SOURCE_DIR}/LICENSE ${PIXED_FONT_COPYRIGHT} ${PIXED_MINGW_COPYRIGHT} ${PIXED_GCC_RUNTIME_COPYRIGHT}
          ${PIXED_IMAGE_LIBRARY_LICENCES}
  COMMENT "Writing the licence texts of the Windows zip"
  VERBATIM)
add_custom_target(zip_texts ALL DEPENDS ${PIXED_LICENCE_TEXTS})
# The libraries' texts are made by their build, once: not again by this target.
add_dependencies(zip_texts image_libraries)

install(TARGETS pixed pixtool RUNTIME DESTINATION .)
install(FILES ${PIXED_BUTTON_BITMAPS} ${PIXED_ZIP_TEXTS}/README.txt ${PIXED_ZIP_TEXTS}/LICENSE.txt DESTINATION .)
install(DIRECTORY ${PIXED_ZIP_TEXTS}/licences DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pixed)
set(CPACK_PACKAGE_FILE_NAME pixed-${PROJECT_VERSION}-windows-x86_64)
# No folder inside: Windows' "Extract All" makes one of the zip's name.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
