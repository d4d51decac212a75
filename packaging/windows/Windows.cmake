# The Windows build, cross-compiled with cmake/MinGW-w64.cmake (the whole
# sequence is scripts/build-windows.sh). The sources are the same as on
# Linux; what differs lives here:
#   - freeglut is a static library: its header then declares plain functions
#     (FREEGLUT_STATIC), and the Windows libraries it calls come along;
#   - velorane.exe is a GUI program (no console window beside it), linked
#     statically (the C++ and threads runtimes included), so that it imports
#     Windows system DLLs only;
#   - its resources: the icon, made from packaging/velorane.svg at build
#     time, and the version information;
#   - a flat install (velorane.exe, LICENSE.txt, README.txt) that CPack turns
#     into velorane-<version>-win64.zip and, with NSIS, into the installer
#     velorane-<version>-win64-setup.exe (per machine, Start-menu entry,
#     uninstaller, silent with /S).
enable_language(RC)

set_property(TARGET GLUT::GLUT APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC)
set_property(TARGET GLUT::GLUT APPEND PROPERTY INTERFACE_LINK_LIBRARIES OpenGL::GL winmm gdi32)

set(windows_source ${PROJECT_SOURCE_DIR}/packaging/windows)
set(windows_binary ${PROJECT_BINARY_DIR}/packaging/windows)

# The icon: the SVG drawn at the sizes Windows asks for (the 256-pixel one
# kept as PNG inside the .ico, as Windows expects at that size).
find_program(VELORANE_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(VELORANE_ICOTOOL icotool REQUIRED)
set(VELORANE_ICON ${windows_binary}/velorane.ico)
set(icon_commands)
set(icon_pictures)
foreach(size 16 24 32 48 64 128 256)
  set(picture ${windows_binary}/icon-${size}.png)
  list(APPEND icon_commands COMMAND ${VELORANE_RSVG_CONVERT} --width=${size} --height=${size}
    --output=${picture} ${PROJECT_SOURCE_DIR}/packaging/velorane.svg)
  if(size EQUAL 256)
    list(APPEND icon_pictures --raw=${picture})
  else()
    list(APPEND icon_pictures ${picture})
  endif()
endforeach()
add_custom_command(OUTPUT ${VELORANE_ICON}
  ${icon_commands}
  COMMAND ${VELORANE_ICOTOOL} --create --output=${VELORANE_ICON} ${icon_pictures}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/velorane.svg
  COMMENT "Drawing the Windows icon from velorane.svg"
  VERBATIM)
add_custom_target(velorane_icon DEPENDS ${VELORANE_ICON})

configure_file(${windows_source}/velorane.rc.in ${windows_binary}/velorane.rc @ONLY)
set_source_files_properties(${windows_binary}/velorane.rc TARGET_DIRECTORY velorane
  PROPERTIES OBJECT_DEPENDS ${VELORANE_ICON})
target_sources(velorane PRIVATE ${windows_binary}/velorane.rc)
add_dependencies(velorane velorane_icon)
set_target_properties(velorane PROPERTIES WIN32_EXECUTABLE ON)
target_link_options(velorane PRIVATE -static)

# The texts for Windows users, with Windows line ends.
configure_file(${windows_source}/README.txt ${windows_binary}/README.txt @ONLY NEWLINE_STYLE WIN32)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${windows_binary}/LICENSE.txt @ONLY NEWLINE_STYLE WIN32)

install(TARGETS velorane RUNTIME DESTINATION . COMPONENT Runtime)
install(FILES ${windows_binary}/README.txt ${windows_binary}/LICENSE.txt DESTINATION .
  COMPONENT Runtime)

# The packages (cpack in the build directory; CPackOptions.cmake names the
# installer apart from the zip).
set(CPACK_PACKAGE_NAME velorane)
set(CPACK_PACKAGE_VENDOR Velorane)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Velorane, a 3D diagram of the law of reflection")
set(CPACK_PACKAGE_FILE_NAME velorane-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Velorane)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Velorane)
set(CPACK_PACKAGE_EXECUTABLES velorane Velorane)
set(CPACK_RESOURCE_FILE_LICENSE ${windows_binary}/LICENSE.txt)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PROJECT_CONFIG_FILE ${windows_binary}/CPackOptions.cmake)
configure_file(${windows_source}/CPackOptions.cmake.in ${windows_binary}/CPackOptions.cmake @ONLY)

# NSIS: a 64-bit installer (Debian's makensis writes a 32-bit one unless told
# the target), into Program Files for all users, with the program's icon.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME Velorane)
set(CPACK_NSIS_DISPLAY_NAME "Velorane ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON ${VELORANE_ICON})
set(CPACK_NSIS_MUI_UNIICON ${VELORANE_ICON})
set(CPACK_NSIS_INSTALLED_ICON_NAME velorane.exe)
set(CPACK_NSIS_COMPRESSOR lzma)

include(CPack)
