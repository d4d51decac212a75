// The measured constraints of a frame, on the real windows of the program:
// what one frame of each window allocates and frees, which GL and GLUT
// queries it makes, that a drag step of any mode makes none, and that the
// memory of the process does not grow over 10,000 frames. Prints table rows
// (starting with "|") and exits with 1 when a constraint does not hold.
//
// Two allocation counts are kept: the project's own calls (bench/call_counter.h,
// through the linker's --wrap), and every heap call of the process, GLUT's
// and Mesa's included, through malloc, calloc, realloc, the aligned
// allocations and free defined here, which take the place of the C library's
// and forward to it.
#include <GL/glut.h>
#include <malloc.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>

#include "app/scene.h"
#include "app/values.h"
#include "app/windows.h"
#include "bench/bench_windows.h"
#include "bench/call_counter.h"
#include "manipulator/keyboard.h"
#include "manipulator/mouse.h"
#include "tests/support/module_state.h"

// Frames of the growth check, and the frames drawn before its first reading.
static const int kGrowthFrames = 10000;
static const int kWarmUpFrames = 1000;
// The meshes of a diagram frame and the sample arrays of each.
static const int kMeshesPerFrame = 7;
static const int kArraysPerMesh = 4;
// Resident growth tolerated from the 1,000th to the 10,000th frame, kilobytes.
// Mesa's buffers of about 1 MB come and go from frame to frame, so the C
// library may map a few pages more on the way; a leak of one small block per
// frame would already exceed it, and the block counts show any leak exactly.
static const long kGrowthToleranceKb = 1024;

// Heap calls of the whole process since the last reset.
static long processAllocations = 0;
static long processFrees = 0;

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
void* __libc_memalign(std::size_t alignment, std::size_t size);

void* malloc(std::size_t size) {
  ++processAllocations;
  return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
  ++processAllocations;
  return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) {
  if (block == nullptr) ++processAllocations;
  return __libc_realloc(block, size);
}

void* memalign(std::size_t alignment, std::size_t size) {
  ++processAllocations;
  return __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
  ++processAllocations;
  return __libc_memalign(alignment, size);
}

int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
  if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
  void* aligned = __libc_memalign(alignment, size);
  if (aligned == nullptr) return ENOMEM;
  ++processAllocations;
  *block = aligned;
  return 0;
}

void free(void* block) {
  if (block != nullptr) ++processFrees;
  __libc_free(block);
}
}

// Reset every counter.
static void resetCounts() {
  resetCallCounts();
  processAllocations = 0;
  processFrees = 0;
}

// Number of constraints that did not hold.
static int failures = 0;

// Print a row with its verdict.
static void row(bool holds, const char* what, const char* figure) {
  std::printf("| %s | %s | | %s |\n", what, figure, holds ? "holds" : "FAILS");
  if (!holds) ++failures;
}

int main(int argc, char** argv) {
  openBenchWindows(&argc, argv);
  sizeDiagramWindow(310, 250);
  std::printf("# renderer: %s\n", rendererName());
  char figure[512];

  // One frame of the diagram window (after a first one, which builds the fonts).
  displayDiagram();
  finishFrame();
  resetCounts();
  displayDiagram();
  const HeapCounts diagramHeap = heapCounts();
  const long diagramQueries = queryCalls();
  const long glGets = callCount(kCall_glGetBooleanv) + callCount(kCall_glGetFloatv);
  const long glutGets = callCount(kCall_glutGet) + callCount(kCall_glutGetWindow);
  const long diagramProcessAllocations = processAllocations;
  const long diagramProcessFrees = processFrees;
  const char* queries = describeQueries();
  std::snprintf(figure, sizeof figure,
                "%ld callocs, %ld mallocs, %ld reallocs, %ld frees, "
                "%ld held after",
                diagramHeap.callocs, diagramHeap.mallocs, diagramHeap.reallocs,
                diagramHeap.frees, diagramHeap.live);
  row(diagramHeap.callocs == kMeshesPerFrame * kArraysPerMesh && diagramHeap.mallocs == 0 &&
          diagramHeap.reallocs == 0 && diagramHeap.live == 0,
      "diagram frame, the project's heap calls (7 meshes x 4 sample arrays, all freed)",
      figure);
  std::snprintf(figure, sizeof figure, "%ld allocations, %ld frees", diagramProcessAllocations,
                diagramProcessFrees);
  row(diagramProcessAllocations == diagramProcessFrees,
      "diagram frame, every heap call of the process (GLUT and Mesa included)", figure);
  std::snprintf(figure, sizeof figure, "%ld (%s)", diagramQueries, queries);
  // Five anchors read back two values each; ten texts ask for the window and its size.
  row(glGets == 5 * 2 && glutGets == 10 * 3 && diagramQueries == glGets + glutGets,
      "diagram frame, GL and GLUT queries (5 anchors x 2, 10 texts x 3)", figure);

  // One frame of the values window.
  glutSetWindow(valuesWindow);
  displayValues();
  finishFrame();
  resetCounts();
  displayValues();
  const HeapCounts valuesHeap = heapCounts();
  const long valuesQueries = queryCalls();
  const long valuesProcessAllocations = processAllocations;
  const long valuesProcessFrees = processFrees;
  std::snprintf(figure, sizeof figure,
                "%ld project allocations; %ld / %ld process "
                "allocations / frees; %ld queries (%s)",
                valuesHeap.callocs + valuesHeap.mallocs + valuesHeap.reallocs,
                valuesProcessAllocations, valuesProcessFrees, valuesQueries, describeQueries());
  row(valuesHeap.callocs + valuesHeap.mallocs + valuesHeap.reallocs == 0 &&
          valuesProcessAllocations == valuesProcessFrees && valuesQueries == 5 * 2 + 5 * 3,
      "values frame: allocations and queries (5 anchors x 2, 5 texts x 3)", figure);
  glutSetWindow(diagramWindow);

  // A drag step of each mode, after a press in that mode.
  for (int mode = modShift; mode <= modCtrlAlt; ++mode) {
    float boundX = 0.5f, boundY = 0.5f;
    setDragParameterX(&boundX, 0.0f, 1.0f, 0.01f);
    setDragParameterY(&boundY, 0.0f, 1.0f, 0.01f);
    resetCounts();
    manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100, mode);
    const long pressQueries = queryCalls();
    resetCounts();
    manipulatorHandleMotion(110, 95);
    const long stepQueries = queryCalls();
    const long stepCalls = allCountedCalls();
    const HeapCounts stepHeap = heapCounts();
    manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_UP, 110, 95, mode);
    setDragParameterX(nullptr, 0.0f, 0.0f, 0.0f);
    setDragParameterY(nullptr, 0.0f, 0.0f, 0.0f);
    std::snprintf(figure, sizeof figure,
                  "%ld queries, %ld GL/GLUT calls, %ld allocations "
                  "(the press: %ld queries)",
                  stepQueries, stepCalls, stepHeap.callocs + stepHeap.mallocs, pressQueries);
    char what[96];
    std::snprintf(what, sizeof what, "drag step, mode %d", mode);
    row(stepQueries == 0 && stepCalls == 0 && pressQueries == 2, what, figure);
  }
  resetToProgramStart();

  // Memory over many frames, each followed by the values window's frame as in
  // the program.
  for (int i = 0; i < kWarmUpFrames; ++i) {
    glutSetWindow(diagramWindow);
    displayDiagram();
    glutSetWindow(valuesWindow);
    displayValues();
  }
  finishFrame();
  const long residentBefore = residentKb();
  const size_t heapBefore = mallinfo2().uordblks;
  long residentAt1000 = -1;
  resetCounts();
  for (int i = 0; i < kGrowthFrames; ++i) {
    glutSetWindow(diagramWindow);
    displayDiagram();
    glutSetWindow(valuesWindow);
    displayValues();
    if (i % 100 == 99) finishFrame();
    if (i % 1000 == 999) {
      std::printf(
          "# after %5d frames: resident %ld kB, heap in use %zu bytes, "
          "process allocations - frees %ld\n",
          i + 1, residentKb(), mallinfo2().uordblks, processAllocations - processFrees);
      if (i == 999) residentAt1000 = residentKb();
    }
  }
  finishFrame();
  const long residentAfter = residentKb();
  const size_t heapAfter = mallinfo2().uordblks;
  const HeapCounts growthHeap = heapCounts();
  std::snprintf(
      figure, sizeof figure,
      "blocks held: project %ld, whole process %ld; resident "
      "%ld kB, %ld kB after 1,000 frames, %ld kB after 10,000; heap in use %zu -> %zu "
      "bytes",
      growthHeap.live, processAllocations - processFrees, residentBefore, residentAt1000,
      residentAfter, heapBefore, heapAfter);
  row(growthHeap.live == 0 && processAllocations == processFrees &&
          residentAfter - residentAt1000 <= kGrowthToleranceKb,
      "memory over 10,000 frames of both windows", figure);
  glutSetWindow(diagramWindow);
  return failures == 0 ? 0 : 1;
}
