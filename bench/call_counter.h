// Counts of what the project's own code asks of OpenGL, GLU, GLUT and the C
// heap, for the benchmarks and the tests that measure the frame's cost. A
// program linked with velorane_count_calls(target) has every call from its
// statically linked code (the project's libraries, the bench or test code) to
// the functions of bench/counted_calls.def and to malloc, calloc, realloc and
// free routed through counters first. Calls made inside GLUT or Mesa
// themselves are not seen: the figures are the project's side.
#pragma once

// Every counted function, in the order of bench/counted_calls.def.
enum CountedCall {
#define COUNTED(kind, result, name, parameters, arguments) kCall_##name,
#include "bench/counted_calls.def"
#undef COUNTED
  kCountedCallCount
};

// The project's heap calls since the last reset. live is allocations that
// returned a block minus frees of a non-null block: the blocks still held.
struct HeapCounts {
  long mallocs;
  long callocs;
  long reallocs;
  long frees;
  long live;
};

// Set every call and heap counter back to 0.
void resetCallCounts();

// Calls of one function since the last reset.
long callCount(CountedCall call);
// Name of a counted function, e.g. "glGetFloatv".
const char* countedCallName(CountedCall call);

// Calls since the last reset of all the query functions (glGet*, glIs*,
// glutGet*, ...), of the list-running functions, and of every counted function.
long queryCalls();
long listCalls();
long allCountedCalls();

// Queries since the last reset, as "glGetFloatv 2, glutGet 1" (empty for none).
// Returns a pointer to a buffer that the next call overwrites.
const char* describeQueries();

// The project's heap calls since the last reset.
HeapCounts heapCounts();
