# velorane_count_calls(target): route the calls that the target's statically
# linked code (the project's libraries included) makes to the functions of
# bench/counted_calls.def and to the C heap through the counters of
# bench/call_counter.h. Shared by the benchmarks and the tests in tests/perf.
if(NOT TARGET callcounter)
  add_library(callcounter STATIC ${CMAKE_CURRENT_LIST_DIR}/call_counter.cpp)
  target_include_directories(callcounter PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(callcounter PUBLIC GLUT::GLUT OpenGL::GL OpenGL::GLU)
  velorane_target_settings(callcounter)
endif()

file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/counted_calls.def velorane_counted_lines REGEX "^COUNTED\\(")
set(VELORANE_COUNTED_FUNCTIONS malloc calloc realloc free)
foreach(line IN LISTS velorane_counted_lines)
  string(REGEX REPLACE "^COUNTED\\([A-Z]+, [^,]+, ([A-Za-z0-9_]+),.*$" "\\1" name "${line}")
  list(APPEND VELORANE_COUNTED_FUNCTIONS ${name})
endforeach()

function(velorane_count_calls target)
  target_link_libraries(${target} PRIVATE callcounter)
  foreach(name IN LISTS VELORANE_COUNTED_FUNCTIONS)
    target_link_options(${target} PRIVATE -Wl,--wrap=${name})
  endforeach()
endfunction()
