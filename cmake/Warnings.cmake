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
