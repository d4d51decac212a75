# The toolkit's API reference: doxygen reads the public headers of the
# libraries of VELORANE_TOOLKIT (their PUBLIC_HEADER lists), the pages of
# docs/api and the opening blocks of the browser layer's sources, and writes
# <build>/docs/html (cmake --build <build> --target docs). With VELORANE_DOCS
# (on when doxygen is found) the reference is built with everything else and
# installed with the toolkit (component Development) in
# share/doc/velorane/html. Under VELORANE_WERROR a doxygen warning (an
# undocumented function, parameter or return value, a @param naming no
# parameter) fails the build, as a compiler warning does.
find_package(Doxygen QUIET)
option(VELORANE_DOCS "Build and install the API reference (needs doxygen)" ${DOXYGEN_FOUND})
if(NOT VELORANE_DOCS)
  if(NOT DOXYGEN_FOUND)
    message(STATUS "doxygen not found: no API reference (the docs target)")
  endif()
  return()
endif()
if(NOT DOXYGEN_FOUND)
  message(FATAL_ERROR "VELORANE_DOCS needs doxygen (bash scripts/setup.sh installs it)")
endif()
find_program(VELORANE_AWK NAMES awk mawk gawk REQUIRED)

set(VELORANE_DOCS_DIR ${PROJECT_BINARY_DIR}/docs)
set(VELORANE_DOCS_PAGES ${PROJECT_SOURCE_DIR}/docs/api)
set(pages ${VELORANE_DOCS_PAGES})
set(inputs ${pages}/mainpage.md ${pages}/browser-layer.md)
foreach(library IN LISTS VELORANE_TOOLKIT)
  get_target_property(headers ${library} PUBLIC_HEADER)
  get_target_property(folder ${library} SOURCE_DIR)
  foreach(header IN LISTS headers)
    get_filename_component(header ${header} ABSOLUTE BASE_DIR ${folder})
    list(APPEND inputs ${header})
  endforeach()
endforeach()
file(GLOB layer CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/web/*.cpp)
list(APPEND inputs ${layer})
list(JOIN inputs " \\\n    " VELORANE_DOCS_INPUT)

if(VELORANE_WERROR)
  set(VELORANE_DOCS_WARN_AS_ERROR FAIL_ON_WARNINGS)
else()
  set(VELORANE_DOCS_WARN_AS_ERROR NO)
endif()
configure_file(${pages}/Doxyfile.in ${VELORANE_DOCS_DIR}/Doxyfile @ONLY)

# The stamp is written only when doxygen succeeded, so a failed run is run
# again; the old pages go first, so none of a removed header stays.
set(stamp ${VELORANE_DOCS_DIR}/html.stamp)
add_custom_command(OUTPUT ${stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VELORANE_DOCS_DIR}/html ${stamp}
  COMMAND ${DOXYGEN_EXECUTABLE} ${VELORANE_DOCS_DIR}/Doxyfile
  COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
  DEPENDS ${inputs} ${VELORANE_DOCS_DIR}/Doxyfile ${pages}/opening_block.awk
  WORKING_DIRECTORY ${VELORANE_DOCS_DIR}
  COMMENT "Writing the API reference into ${VELORANE_DOCS_DIR}/html"
  VERBATIM)
add_custom_target(docs ALL DEPENDS ${stamp})

install(DIRECTORY ${VELORANE_DOCS_DIR}/html/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velorane/html COMPONENT Development)
# The package registers it with doc-base, which names it by its place under
# /usr: only the package's install (a component's) has the file.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/velorane-dev.doc-base
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base RENAME velorane-dev COMPONENT Development
  EXCLUDE_FROM_ALL)
