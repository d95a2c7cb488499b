# zlib, libpng and giflib for the Windows program and the browser's build, as the targets CMake's
# own FindZLIB, FindPNG and FindGIF give on Linux (ZLIB::ZLIB, PNG::PNG, GIF::GIF): built once from
# Debian's source packages by scripts/image_libraries.sh into image-libraries/ of this build folder,
# then kept there. Their licence texts are in PIXED_IMAGE_LIBRARY_LICENCES.
if(WIN32)
  set(PIXED_IMAGE_LIBRARY_PLATFORM win32)
else()
  set(PIXED_IMAGE_LIBRARY_PLATFORM web)
endif()
set(PIXED_IMAGE_LIBRARY_DIR ${CMAKE_BINARY_DIR}/image-libraries)
set(PIXED_IMAGE_LIBRARY_PREFIX ${PIXED_IMAGE_LIBRARY_DIR}/prefix)
set(PIXED_IMAGE_LIBRARY_LICENCES ${PIXED_IMAGE_LIBRARY_PREFIX}/licences/zlib.txt
    ${PIXED_IMAGE_LIBRARY_PREFIX}/licences/libpng.txt ${PIXED_IMAGE_LIBRARY_PREFIX}/licences/giflib.txt)
set(PIXED_IMAGE_LIBRARY_FILES ${PIXED_IMAGE_LIBRARY_PREFIX}/lib/libz.a ${PIXED_IMAGE_LIBRARY_PREFIX}/lib/libpng16.a
    ${PIXED_IMAGE_LIBRARY_PREFIX}/lib/libgif.a)

add_custom_command(
  OUTPUT ${PIXED_IMAGE_LIBRARY_FILES} ${PIXED_IMAGE_LIBRARY_LICENCES}
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/image_libraries.sh ${PIXED_IMAGE_LIBRARY_PLATFORM}
          ${PIXED_IMAGE_LIBRARY_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/image_libraries.sh ${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
  COMMENT "Building zlib, libpng and giflib from Debian's source packages (once)"
  VERBATIM USES_TERMINAL)
add_custom_target(image_libraries DEPENDS ${PIXED_IMAGE_LIBRARY_FILES} ${PIXED_IMAGE_LIBRARY_LICENCES})

# The headers' folder must exist before the libraries are built, for CMake to accept it.
file(MAKE_DIRECTORY ${PIXED_IMAGE_LIBRARY_PREFIX}/include)
foreach(library ZLIB:libz PNG:libpng16 GIF:libgif)
  string(REPLACE ":" ";" library ${library})
  list(GET library 0 name)
  list(GET library 1 file)
  add_library(${name}::${name} STATIC IMPORTED)
  set_target_properties(${name}::${name} PROPERTIES
    IMPORTED_LOCATION ${PIXED_IMAGE_LIBRARY_PREFIX}/lib/${file}.a
    INTERFACE_INCLUDE_DIRECTORIES ${PIXED_IMAGE_LIBRARY_PREFIX}/include)
  # Whatever links the library waits for its build.
  add_dependencies(${name}::${name} image_libraries)
endforeach()
set_property(TARGET PNG::PNG PROPERTY INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
