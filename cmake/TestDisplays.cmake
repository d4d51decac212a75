# Tests that open windows run each on an X display of its own: CTest hands
# out the displays that scripts/test.sh starts, one per parallel job (its
# resource file names them), and tests/support/on_test_display.sh, put in
# front of the test's command, points DISPLAY at the one given; given none
# (ctest run by hand), it starts a virtual display for the test alone.
set(VELORANE_ON_DISPLAY ${PROJECT_SOURCE_DIR}/tests/support/on_test_display.sh)
# A test program of a cross build runs under the build's emulator
# (qemu-user), started on its display by the wrapper: the wrapper, then the
# emulator, then the program. A native build has no emulator.
set(VELORANE_TEST_LAUNCHER ${VELORANE_ON_DISPLAY} ${CMAKE_CROSSCOMPILING_EMULATOR})

# Give the tests named one display each while they run.
function(velorane_tests_on_displays)
  set_tests_properties(${ARGN} PROPERTIES RESOURCE_GROUPS display:1)
endfunction()
