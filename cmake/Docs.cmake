# The API reference: `make docs` (the `docs` target) writes HTML into
# build/docs/html; the `api_reference` test fails on any undocumented public
# member or broken documentation comment.
find_package(Doxygen 1.9 COMPONENTS dot)
if(NOT DOXYGEN_FOUND)
  message(STATUS "doxygen or graphviz missing: no API reference")
  return()
endif()

set(KELCTRLS_DOCS_OUTPUT ${PROJECT_BINARY_DIR}/docs)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${PROJECT_BINARY_DIR}/Doxyfile @ONLY)
add_custom_target(docs
  COMMAND Doxygen::doxygen ${PROJECT_BINARY_DIR}/Doxyfile
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  COMMENT "Writing the API reference into ${KELCTRLS_DOCS_OUTPUT}/html"
  VERBATIM)
if(KELCTRLS_BUILD_TESTS AND NOT KELCTRLS_FUZZ)
  add_test(NAME api_reference COMMAND Doxygen::doxygen ${PROJECT_BINARY_DIR}/Doxyfile
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
endif()
