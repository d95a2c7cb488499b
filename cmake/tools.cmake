# Build-time tools: the font taken from Debian's console fonts, the program's
# resources (the two sounds) and the button bitmaps.
set(PIXED_GENERATED_DIR ${CMAKE_CURRENT_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${PIXED_GENERATED_DIR})

# Filled in below as the tools arrive.
set(PIXED_FONT_SOURCE "")
set(PIXED_RESOURCE_SOURCE "")
set(PIXED_BUTTON_BITMAPS "")

include(${CMAKE_CURRENT_LIST_DIR}/font.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/resources.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/buttons.cmake OPTIONAL)

# The generated sources alone, for the browser build, which compiles them with its own compiler.
add_custom_target(pixed_generated_sources DEPENDS ${PIXED_FONT_SOURCE} ${PIXED_RESOURCE_SOURCE})
