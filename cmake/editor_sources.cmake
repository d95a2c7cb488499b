# The editor's sources and the palette library, the same on every platform: the palette's colours
# and the palette files of other programs, one code for the editor and pixtool.
set(PIXED_PALETTE_SOURCES src/canvas/palette_table.cpp src/storage/palette_file_read.cpp
                          src/storage/palette_file_write.cpp)
add_library(pixed_palette STATIC ${PIXED_PALETTE_SOURCES})
target_include_directories(pixed_palette PUBLIC ${PROJECT_SOURCE_DIR}/src)

file(GLOB EDITOR_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/app/*.cpp ${PROJECT_SOURCE_DIR}/src/draw/*.cpp
     ${PROJECT_SOURCE_DIR}/src/canvas/*.cpp ${PROJECT_SOURCE_DIR}/src/textentry/*.cpp
     ${PROJECT_SOURCE_DIR}/src/storage/*.cpp)
list(FILTER EDITOR_SOURCES EXCLUDE REGEX "(process_entry|palette_table|palette_file_read|palette_file_write)\\.cpp$")
