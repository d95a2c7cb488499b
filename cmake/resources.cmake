# The program's resources: the resource script and the files it names become generated/resources.cpp,
# compiled into the editor library. The depfile makes a changed sound rebuild it.
set(PIXED_RESOURCE_SCRIPT ${PROJECT_SOURCE_DIR}/resources/pixed.rc)

add_executable(embed_resources ${PROJECT_SOURCE_DIR}/tools/embed_resources.cpp)

# Not part of the build: the sounds are kept in resources/. Run it by hand to make them again.
add_executable(make_sounds EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/tools/make_sounds.cpp)

set(PIXED_RESOURCE_SOURCE ${PIXED_GENERATED_DIR}/resources.cpp)
add_custom_command(
  OUTPUT ${PIXED_RESOURCE_SOURCE}
  COMMAND embed_resources ${PIXED_RESOURCE_SCRIPT} ${PIXED_RESOURCE_SOURCE} ${PIXED_GENERATED_DIR}/resources.d
  DEPENDS embed_resources ${PIXED_RESOURCE_SCRIPT}
  DEPFILE ${PIXED_GENERATED_DIR}/resources.d
  COMMENT "Embedding the resources of resources/pixed.rc"
  VERBATIM)
