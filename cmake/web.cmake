# The editor in a browser tab: the same editor over the software emulation (src/platform/soft) and
# the web backend (src/platform/web), built to WebAssembly with Emscripten, as a static site in
# PIXED_SITE_DIR: index.html, the page's script, the program's loader and .wasm, the button
# bitmaps, and in licences/ the terms of zlib, libpng and giflib, which the program holds. The
# generated sources (font, sounds) and the bitmaps come from a native build folder,
# PIXED_NATIVE_DIR. scripts/build.sh web does all of it.
set(PIXED_NATIVE_DIR "" CACHE PATH "Native build folder holding generated/ and bitmaps/")
set(PIXED_SITE_DIR ${CMAKE_BINARY_DIR}/site CACHE PATH "Where the site is laid out")
if(NOT EXISTS ${PIXED_NATIVE_DIR}/generated/font_data.cpp OR NOT EXISTS ${PIXED_NATIVE_DIR}/generated/resources.cpp)
  message(FATAL_ERROR "PIXED_NATIVE_DIR (${PIXED_NATIVE_DIR}) holds no generated sources: build it first")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/button_names.cmake)

include(${CMAKE_CURRENT_LIST_DIR}/editor_sources.cmake)
# zlib, libpng and giflib, built from Debian's sources with Emscripten, and the export library over
# them, which the editor and pixtool share; pixtool itself as a Node.js program on the real file
# system, which the tests hold to the Linux pixtool (tests/web.cmake). It is no part of the site.
include(${CMAKE_CURRENT_LIST_DIR}/image_libraries.cmake)
add_subdirectory(src/export)
add_subdirectory(src/pixtool)
set_target_properties(pixtool PROPERTIES SUFFIX .js)
# One file: a Node.js that has fetch() would otherwise fetch the .wasm as a URL, which it is not.
target_link_options(pixtool PRIVATE -O2 -sENVIRONMENT=node -sNODERAWFS -sEXIT_RUNTIME -sALLOW_MEMORY_GROWTH
                    -sSINGLE_FILE)
# SDL2's BMP reader and inotify stay on the desktop (web_bmp_forms.cpp and web_folder_watch.cpp say
# what takes their place).
file(GLOB PLATFORM_SOFT_SOURCES CONFIGURE_DEPENDS src/platform/soft/*.cpp)
list(FILTER PLATFORM_SOFT_SOURCES EXCLUDE REGEX "(gdi_bmp_sdl|folder_watch_inotify)\\.cpp$")
file(GLOB PLATFORM_WEB_SOURCES CONFIGURE_DEPENDS src/platform/web/*.cpp)

add_executable(pixed ${EDITOR_SOURCES} ${PLATFORM_SOFT_SOURCES} ${PLATFORM_WEB_SOURCES}
                     ${PIXED_NATIVE_DIR}/generated/font_data.cpp ${PIXED_NATIVE_DIR}/generated/resources.cpp)
target_include_directories(pixed PRIVATE src ${PIXED_NATIVE_DIR}/generated)
target_link_libraries(pixed PRIVATE pixed_palette pixed_export ZLIB::ZLIB)
set_target_properties(pixed PROPERTIES SUFFIX .js)
# Asyncify: the editor's blocking loop stays as it is, and its waits hand the page back to the
# browser. IDBFS keeps the working folder in the browser's storage (IndexedDB).
target_link_options(pixed PRIVATE
  -O3 -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH -sFORCE_FILESYSTEM
  -lidbfs.js "-sEXPORTED_RUNTIME_METHODS=[FS,ccall,UTF8ToString,addRunDependency,removeRunDependency]")

set(PIXED_WEB_DIR ${PROJECT_SOURCE_DIR}/src/platform/web)
list(JOIN PIXED_BUTTON_BITMAP_NAMES "\", \"" PIXED_BUTTON_BITMAP_LIST)
set(PIXED_BUTTON_BITMAP_LIST "\"${PIXED_BUTTON_BITMAP_LIST}\"")
configure_file(${PIXED_WEB_DIR}/pixed_page.js ${CMAKE_BINARY_DIR}/pixed_page.js @ONLY)
list(TRANSFORM PIXED_BUTTON_BITMAP_NAMES PREPEND ${PIXED_NATIVE_DIR}/bitmaps/ OUTPUT_VARIABLE PIXED_BUTTON_BITMAPS)

add_custom_command(TARGET pixed POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PIXED_SITE_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PIXED_SITE_DIR}/bitmaps
  COMMAND ${CMAKE_COMMAND} -E copy ${PIXED_WEB_DIR}/index.html ${CMAKE_BINARY_DIR}/pixed_page.js
          $<TARGET_FILE_DIR:pixed>/pixed.js $<TARGET_FILE_DIR:pixed>/pixed.wasm ${PIXED_SITE_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${PIXED_BUTTON_BITMAPS} ${PIXED_SITE_DIR}/bitmaps
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PIXED_SITE_DIR}/licences
  COMMAND ${CMAKE_COMMAND} -E copy ${PIXED_IMAGE_LIBRARY_LICENCES} ${PIXED_SITE_DIR}/licences
  COMMENT "Laying out the site in ${PIXED_SITE_DIR}"
  VERBATIM)
set_property(TARGET pixed APPEND PROPERTY LINK_DEPENDS ${PIXED_WEB_DIR}/index.html ${CMAKE_BINARY_DIR}/pixed_page.js)
