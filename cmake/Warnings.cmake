# Shared compile settings for every target of the project.
#
# Floating point: every float and double figure of the program is fixed to the
# bit, so the compiler may neither fuse a multiply and an add into one rounding
# (-ffp-contract=off) nor reorder arithmetic (no -ffast-math anywhere).
function(velorane_target_settings target)
  target_compile_options(${target} PRIVATE
    -ffp-contract=off -fno-fast-math
    -Wall -Wextra -Wpedantic -Wshadow -Wformat=2)
  if(VELORANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# VELORANE_SANITIZE: every target of the tree (libraries, programs, tests,
# test support and fuzz targets alike) is compiled and linked with
# AddressSanitizer and UndefinedBehaviorSanitizer. Set for the whole directory
# tree here, before any target exists, so that no target can miss it.
# UndefinedBehaviorSanitizer does not recover: its first report aborts the
# program, so a report fails the test that caused it. Frame pointers keep the
# reports' stacks whole. The run-time options and the suppressions for the GL
# driver and the X libraries are in tests/sanitizers/.
if(VELORANE_SANITIZE)
  set(velorane_sanitize_flags
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${velorane_sanitize_flags})
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
