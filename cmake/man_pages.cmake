# The manual pages pixed(1) and pixtool(1), made by help2man from the programs' own --help and
# --version (docs/man/make_man_page.sh, with docs/man/*.h2m) and installed gzipped. Without
# help2man the build goes on without them.
find_program(PIXED_HELP2MAN help2man)
if(NOT PIXED_HELP2MAN)
  message(STATUS "Manual pages left out: no help2man")
  return()
endif()

set(PIXED_MAN_DIR ${CMAKE_BINARY_DIR}/man)
file(MAKE_DIRECTORY ${PIXED_MAN_DIR})
set(PIXED_MAN_PAGES "")
# page: the program's name; target: its build target; the commands whose help joins the page.
function(pixed_man_page page target)
  set(output ${PIXED_MAN_DIR}/${page}.1)
  add_custom_command(
    OUTPUT ${output} ${output}.gz
    COMMAND bash ${PROJECT_SOURCE_DIR}/docs/man/make_man_page.sh $<TARGET_FILE:${target}>
            ${PROJECT_SOURCE_DIR}/docs/man/${page}.h2m ${output} ${ARGN}
    COMMAND gzip -9nkf ${output}
    DEPENDS ${target} ${PROJECT_SOURCE_DIR}/docs/man/make_man_page.sh ${PROJECT_SOURCE_DIR}/docs/man/${page}.h2m
    COMMENT "Making the manual page ${page}(1) from ${page} --help"
    VERBATIM)
  set(PIXED_MAN_PAGES ${PIXED_MAN_PAGES} ${output} PARENT_SCOPE)
  install(FILES ${output}.gz DESTINATION share/man/man1)
endfunction()

pixed_man_page(pixed pixed)
pixed_man_page(pixtool pixtool info export import delete palette)
add_custom_target(man_pages ALL DEPENDS ${PIXED_MAN_PAGES})
