# Installing Velorane: the program with its desktop entry, icon and manual
# page (component Runtime), and the toolkit as a CMake package, Velorane::toolkit
# and one Velorane::<folder> target per library, with its headers under
# include/velorane/<folder> and its API reference (cmake/Docs.cmake) under
# share/doc/velorane/html (component Development). Paths follow
# GNUInstallDirs; packaging/Package.cmake turns both components into Debian
# packages with CPack.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The toolkit: every library but the application's own.
set(VELORANE_TOOLKIT colors maths geometry text manipulator menu projection)

# Velorane::toolkit links the whole toolkit. The aliases let a project that
# adds this tree with add_subdirectory use the installed package's names.
add_library(toolkit INTERFACE)
target_link_libraries(toolkit INTERFACE ${VELORANE_TOOLKIT})
foreach(library IN LISTS VELORANE_TOOLKIT ITEMS toolkit)
  add_library(Velorane::${library} ALIAS ${library})
endforeach()

if(EMSCRIPTEN)
  # The browser: the page, beside the layer's files (web/CMakeLists.txt
  # installs those); no desktop files, no manual page, no Debian packages.
  install(TARGETS velorane RUNTIME DESTINATION ${CMAKE_INSTALL_DATADIR}/velorane
    COMPONENT Runtime)
else()
  # The program, and what a desktop needs to offer it in its menu and its
  # software centre.
  install(TARGETS velorane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/velorane.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)
  # Software centres look the metadata up by its component id.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/velorane.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME org.velorane.velorane.metainfo.xml
    COMPONENT Runtime)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/velorane.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Runtime)

  # The manual page carries the project's version; it is installed compressed,
  # as man reads it and distributions ship it.
  set(VELORANE_PACKAGING_DIR ${PROJECT_BINARY_DIR}/packaging)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/velorane.1.in
    ${VELORANE_PACKAGING_DIR}/velorane.1 @ONLY)

  # The copyright file in the machine-readable Debian format, with the text of
  # LICENSE as its licence paragraph (lines indented by one space, empty lines
  # as " .").
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
  string(REGEX REPLACE "^.*\n\n(Permission is hereby granted)" "\\1" license "${license}")
  string(STRIP "${license}" license)
  string(REPLACE "\n\n" "\n.\n" license "${license}")
  string(REPLACE "\n" "\n " VELORANE_LICENSE_TEXT " ${license}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${VELORANE_PACKAGING_DIR}/copyright
    @ONLY)

  # gzip -9n: the best compression and no time stamp, so the same sources give
  # the same files. Built with the program, since installing needs them.
  find_program(VELORANE_GZIP gzip REQUIRED)
  set(compressed)
  foreach(source ${VELORANE_PACKAGING_DIR}/velorane.1 ${PROJECT_SOURCE_DIR}/packaging/changelog)
    get_filename_component(name ${source} NAME)
    set(output ${VELORANE_PACKAGING_DIR}/compressed/${name})
    add_custom_command(OUTPUT ${output}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${VELORANE_PACKAGING_DIR}/compressed
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${output}
      COMMAND ${VELORANE_GZIP} -9nf ${output}
      DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${output}.gz)
  endforeach()
  add_custom_target(velorane_packaging_files DEPENDS ${compressed})
  add_dependencies(velorane velorane_packaging_files)

  install(FILES ${VELORANE_PACKAGING_DIR}/compressed/velorane.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)

  # Each package's own documentation folder holds the copyright and the
  # changelog, under the name Debian gives the changelog of a packaged release.
  foreach(pair Runtime:velorane Development:velorane-dev)
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 component)
    list(GET pair 1 package)
    install(FILES ${VELORANE_PACKAGING_DIR}/copyright
      DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
    install(FILES ${VELORANE_PACKAGING_DIR}/compressed/changelog.gz
      DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} RENAME changelog.Debian.gz
      COMPONENT ${component})
    # For lintian only, so only in the packages (a component's install), not in
    # a plain cmake --install.
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
      DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${package}
      COMPONENT ${component} EXCLUDE_FROM_ALL)
  endforeach()

  # The toolkit's API reference, with the toolkit, when doxygen is there.
  include(${PROJECT_SOURCE_DIR}/cmake/Docs.cmake)
endif()

# The toolkit's libraries and headers; consumers include from
# include/velorane, so "maths/vector.h" reads the same as in this tree.
foreach(library IN LISTS VELORANE_TOOLKIT)
  # Each folder names its headers; they are found in that folder.
  get_target_property(headers ${library} PUBLIC_HEADER)
  get_target_property(folder ${library} SOURCE_DIR)
  list(TRANSFORM headers PREPEND ${folder}/)
  set_target_properties(${library} PROPERTIES PUBLIC_HEADER "${headers}")
  install(TARGETS ${library} EXPORT VeloraneTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
    PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/velorane/${library}
      COMPONENT Development
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/velorane)
endforeach()
install(TARGETS toolkit EXPORT VeloraneTargets)

# The package files: find_package(Velorane) finds GLUT, GL and GLU, then the
# exported targets.
set(VELORANE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Velorane)
install(EXPORT VeloraneTargets NAMESPACE Velorane:: DESTINATION ${VELORANE_CMAKE_DIR}
  COMPONENT Development)
# Built for the browser, the package brings the layer and velorane_web_page.
if(EMSCRIPTEN)
  set(VELORANE_FOR_BROWSER 1)
endif()
if(NOT VELORANE_WEB_DATA_DIR)
  set(VELORANE_WEB_DATA_DIR ${CMAKE_INSTALL_DATADIR}/velorane/web)
endif()
configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/VeloraneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/packaging/VeloraneConfig.cmake
  INSTALL_DESTINATION ${VELORANE_CMAKE_DIR} PATH_VARS VELORANE_WEB_DATA_DIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/packaging/VeloraneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/packaging/VeloraneConfig.cmake
  ${PROJECT_BINARY_DIR}/packaging/VeloraneConfigVersion.cmake
  DESTINATION ${VELORANE_CMAKE_DIR} COMPONENT Development)

if(NOT EMSCRIPTEN)
  include(${PROJECT_SOURCE_DIR}/packaging/Package.cmake)
endif()
