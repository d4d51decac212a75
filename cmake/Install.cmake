# Installing Velorane: the program with its desktop entry, icon and manual
# page (component Runtime), and the toolkit as a CMake package, Velorane::toolkit
# and one Velorane::<folder> target per library, with its headers under
# include/velorane/<folder> (component Development). Paths follow
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

# The program, and what a desktop needs to offer it in its menu.
install(TARGETS velorane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/velorane.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/velorane.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Runtime)
# The manual page carries the project's version.
configure_file(${PROJECT_SOURCE_DIR}/packaging/velorane.1.in
  ${PROJECT_BINARY_DIR}/packaging/velorane.1 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/velorane.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)

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
configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/VeloraneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/packaging/VeloraneConfig.cmake
  INSTALL_DESTINATION ${VELORANE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/packaging/VeloraneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/packaging/VeloraneConfig.cmake
  ${PROJECT_BINARY_DIR}/packaging/VeloraneConfigVersion.cmake
  DESTINATION ${VELORANE_CMAKE_DIR} COMPONENT Development)

include(${PROJECT_SOURCE_DIR}/packaging/Package.cmake)
