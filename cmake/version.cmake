# petarino/version.h in the build tree, from the project's version; petarino_base puts its
# folder on every layer's include path.
math(EXPR petarino_version_minor "${PROJECT_VERSION_MINOR}") # "00" is 0 to the resource
set(petarino_version_numbers "${PROJECT_VERSION_MAJOR}, ${petarino_version_minor}, 0, 0")
set(PETARINO_GENERATED_INCLUDE_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${PETARINO_GENERATED_INCLUDE_DIR}/petarino/version.h @ONLY)
