// Counting wrappers for the linker's --wrap: each __wrap_name counts the call
// and forwards it to __real_name, the real function. Generated from
// bench/counted_calls.def, plus the four heap functions. Nothing here
// allocates, so the counters never count themselves.
#include "bench/call_counter.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

// What a counted function is.
enum CountedKind { QUERY, LIST, OTHER };

// Calls of each counted function since the last reset.
static long callCounts[kCountedCallCount] = {};
// Heap calls since the last reset.
static HeapCounts heap = {0, 0, 0, 0, 0};

// Kind and name of each counted function.
static const CountedKind kCallKinds[kCountedCallCount] = {
#define COUNTED(kind, result, name, parameters, arguments) kind,
#include "bench/counted_calls.def"
#undef COUNTED
};
static const char* const kCallNames[kCountedCallCount] = {
#define COUNTED(kind, result, name, parameters, arguments) #name,
#include "bench/counted_calls.def"
#undef COUNTED
};

// The wrappers, and the real functions they forward to.
extern "C" {
#define COUNTED(kind, result, name, parameters, arguments) \
  result __real_##name parameters;                         \
  result __wrap_##name parameters {                        \
    ++callCounts[kCall_##name];                            \
    return __real_##name arguments;                        \
  }
#include "bench/counted_calls.def"
#undef COUNTED

void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* block, std::size_t size);
void __real_free(void* block);

void* __wrap_malloc(std::size_t size) {
  void* block = __real_malloc(size);
  ++heap.mallocs;
  if (block != nullptr) ++heap.live;
  return block;
}

void* __wrap_calloc(std::size_t count, std::size_t size) {
  void* block = __real_calloc(count, size);
  ++heap.callocs;
  if (block != nullptr) ++heap.live;
  return block;
}

void* __wrap_realloc(void* block, std::size_t size) {
  void* moved = __real_realloc(block, size);
  ++heap.reallocs;
  if (block == nullptr && moved != nullptr) ++heap.live;
  if (block != nullptr && size == 0) --heap.live;
  return moved;
}

void __wrap_free(void* block) {
  ++heap.frees;
  if (block != nullptr) --heap.live;
  __real_free(block);
}
}

void resetCallCounts() {
  for (long& count : callCounts) count = 0;
  heap = HeapCounts{0, 0, 0, 0, 0};
}

long callCount(CountedCall call) { return callCounts[call]; }

const char* countedCallName(CountedCall call) { return kCallNames[call]; }

// Sum of the counts of one kind.
static long callsOfKind(CountedKind kind) {
  long sum = 0;
  for (int i = 0; i < kCountedCallCount; ++i) {
    if (kCallKinds[i] == kind) sum += callCounts[i];
  }
  return sum;
}

long queryCalls() { return callsOfKind(QUERY); }

long listCalls() { return callsOfKind(LIST); }

long allCountedCalls() {
  long sum = 0;
  for (long count : callCounts) sum += count;
  return sum;
}

const char* describeQueries() {
  static char description[1024];
  description[0] = '\0';
  size_t used = 0;
  for (int i = 0; i < kCountedCallCount; ++i) {
    if (kCallKinds[i] != QUERY || callCounts[i] == 0) continue;
    const int written = std::snprintf(description + used, sizeof description - used, "%s%s %ld",
                                      used == 0 ? "" : ", ", kCallNames[i], callCounts[i]);
    if (written < 0 || static_cast<size_t>(written) >= sizeof description - used) break;
    used += static_cast<size_t>(written);
  }
  return description;
}

HeapCounts heapCounts() { return heap; }
