# The library behind tests/support/module_state.h: one call that sets every
# module variable back to its start value. Included by the test folders whose
# programs run cases one after another in a process, and by the benchmarks.
if(NOT TARGET modulestate)
  add_library(modulestate STATIC ${CMAKE_CURRENT_LIST_DIR}/module_state.cpp)
  target_include_directories(modulestate PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(modulestate PUBLIC app)
  velorane_target_settings(modulestate)
endif()
