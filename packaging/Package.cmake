# Debian packages with CPack (cpack -G DEB in the build directory):
#   velorane      the program, stripped, its desktop entry, software-centre
#                 metadata, icon and manual page; its dependencies (freeglut,
#                 GLU, GL, the C and C++ runtimes) are read from the program
#                 by dpkg-shlibdeps
#   velorane-dev  the toolkit's static libraries, headers and CMake package
# Each holds the copyright (MIT licence) and changelog in
# /usr/share/doc/<package>. There is no debug symbols package: the program is
# small, and a debugging build comes from the sources (the default build type
# keeps the symbols). The toolkit's static libraries keep theirs, for the
# developers who link them.
# Install the program with: apt install ./velorane_*.deb
set(CPACK_PACKAGE_NAME velorane)
set(CPACK_PACKAGE_VENDOR "Velorane")
set(CPACK_PACKAGE_CONTACT "Velorane maintainers <maintainers@velorane.invalid>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Strips the program; static libraries are left as they are.
set(CPACK_STRIP_FILES ON)

set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# A cross build's packages are of its target (arm64), not of the build
# machine, which dpkg would name otherwise.
if(VELORANE_CROSS_DEBIAN_ARCH)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${VELORANE_CROSS_DEBIAN_ARCH})
endif()

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME velorane)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION science)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
  "interactive 3D diagram of the law of reflection
A light shines on a horizontal mirror; the incident ray, the normal and the
reflected ray are drawn as arrows, with the equal angles of incidence and
reflection marked by arcs. The keys 1 to 6 move the light, the keyboard and
modified mouse drags turn, pan and zoom the view, and a second window lists
the unit vectors and the angles in degrees. For teachers and students.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME velorane-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libglut-dev | freeglut3-dev, libglu1-mesa-dev | libglu-dev, libgl-dev")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
  "small OpenGL and GLUT toolkit of the Velorane diagram
Named colours and colour ramps, faceted cylinders, cones and arrows, vector
and matrix maths with angle arcs, bitmap and stroke text, a keyboard and
mouse view manipulator, a quit menu and reshape handlers, as static
libraries with their headers and a CMake package: find_package(Velorane)
and link Velorane::toolkit.")

include(CPack)
