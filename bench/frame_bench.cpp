// Timings of the diagram's work with Google Benchmark, on the real windows of
// the program: a whole frame of each window beside the floor (a frame of the
// same window that only clears and swaps), the meshes and arcs over their
// facet and segment counts, bitmap texts over their lengths, the reflection
// model and one drag step of each mode. Every timed frame ends with the swap
// delivered to the X server (bench_windows.h). After the runs a table of the
// medians, the ratios to the floor and the linear fits is printed, each row
// starting with "|".
//
// Counters come from bench/call_counter.h: the calls the project's code makes
// per iteration (GL and GLUT queries, display-list runs, heap allocations).
#include <GL/glut.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/model.h"
#include "app/scene.h"
#include "app/values.h"
#include "app/windows.h"
#include "bench/bench_windows.h"
#include "bench/call_counter.h"
#include "geometry/mesh.h"
#include "manipulator/keyboard.h"
#include "manipulator/mouse.h"
#include "maths/arc.h"
#include "tests/support/module_state.h"
#include "text/fonts.h"
#include "text/raster_text.h"

// Timing of the frames: minimum time per repetition (s), repetitions.
static const double kFrameMinTime = 0.3;
static const int kFrameRepetitions = 7;
// Timing of the sweeps and small operations.
static const double kSweepMinTime = 0.05;
static const int kSweepRepetitions = 5;

// Per-iteration average of a count taken over the whole timed loop.
static benchmark::Counter perIteration(long count) {
  return benchmark::Counter(static_cast<double>(count), benchmark::Counter::kAvgIterations);
}

// A frame of the diagram window at the size given by the two arguments.
static void diagramFrame(benchmark::State& state) {
  sizeDiagramWindow(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  displayDiagram();
  finishFrame();
  resetCallCounts();
  for (auto _ : state) {
    displayDiagram();
    finishFrame();
  }
  const HeapCounts heap = heapCounts();
  state.counters["callocs"] = perIteration(heap.callocs);
  state.counters["frees"] = perIteration(heap.frees);
  state.counters["queries"] = perIteration(queryCalls());
}

// The floor frame of the diagram window at the same size.
static void diagramFloorFrame(benchmark::State& state) {
  sizeDiagramWindow(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    floorFrame();
    finishFrame();
  }
}

// A frame of the values window, and its floor.
static void valuesFrame(benchmark::State& state) {
  glutSetWindow(valuesWindow);
  displayValues();
  finishFrame();
  resetCallCounts();
  for (auto _ : state) {
    displayValues();
    finishFrame();
  }
  state.counters["queries"] = perIteration(queryCalls());
  state.counters["allocs"] = perIteration(heapCounts().callocs + heapCounts().mallocs);
  glutSetWindow(diagramWindow);
}

static void valuesFloorFrame(benchmark::State& state) {
  glutSetWindow(valuesWindow);
  for (auto _ : state) {
    floorFrame();
    finishFrame();
  }
  glutSetWindow(diagramWindow);
}

// A cylinder of radius 2 and height 4 (scene units), facets from the argument,
// drawn into the diagram window until OpenGL has finished it.
static void cylinderMesh(benchmark::State& state) {
  sizeDiagramWindow(310, 250);
  const int facets = static_cast<int>(state.range(0));
  resetCallCounts();
  for (auto _ : state) {
    drawCylinder(4.0, 2.0, facets);
    glFinish();
  }
  state.counters["callocs"] = perIteration(heapCounts().callocs);
  state.counters["GL calls"] = perIteration(allCountedCalls());
  state.SetComplexityN(facets);
}

// The diagram's arc of incidence at its radius with its head, segments from
// the argument.
static void angleArc(benchmark::State& state) {
  sizeDiagramWindow(310, 250);
  const int segments = static_cast<int>(state.range(0));
  const Vector4 normal = {0.0f, 1.0f, 0.0f, 0.0f};
  const Vector4 incident = {-0.70710677f, 0.70710677f, 0.0f, 0.0f};
  resetCallCounts();
  for (auto _ : state) {
    drawArc(&normal, &incident, segments, 7.0f, 1, kArcHeadAtEnd, 8.0f, 0.5f);
    glFinish();
  }
  state.counters["GL calls"] = perIteration(allCountedCalls());
  state.SetComplexityN(segments);
}

// A text of the argument's length in FontStandard at the window's centre.
static void bitmapText(benchmark::State& state) {
  sizeDiagramWindow(310, 250);
  const size_t length = static_cast<size_t>(state.range(0));
  std::string text(length, ' ');
  for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>('A' + i % 26);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  setRasterPosition(0.0f, 0.0f, 0.0f);
  printText(kTextOverEverything, FontStandard, "%s", text.c_str());
  glFinish();
  resetCallCounts();
  for (auto _ : state) {
    printText(kTextOverEverything, FontStandard, "%s", text.c_str());
    glFinish();
  }
  state.counters["glCallLists"] = perIteration(callCount(kCall_glCallLists));
  state.counters["list runs"] = perIteration(listCalls());
  state.counters["GL calls"] = perIteration(allCountedCalls());
  state.counters["allocs"] = perIteration(heapCounts().callocs + heapCounts().mallocs);
  state.SetComplexityN(static_cast<int64_t>(length));
}

// The reflection model for the starting light.
static void reflectionModel(benchmark::State& state) {
  const Vector4 light = {-9.0f, 9.0f, 0.0f, 1.0f};
  for (auto _ : state) {
    computeReflection(&light);
    benchmark::DoNotOptimize(reflectedDirection);
    benchmark::ClobberMemory();
  }
}

// Names of the drag modes, by ModifierCombination.
static const char* const kModeNames[] = {"none", "Shift", "Shift+Ctrl",
                                         "Ctrl", "Alt",   "Ctrl+Alt"};

// One drag step in the mode of the argument: a press at (100, 100), then
// steps back and forth by one pixel along both axes.
static void dragStep(benchmark::State& state) {
  sizeDiagramWindow(310, 250);
  const int mode = static_cast<int>(state.range(0));
  state.SetLabel(kModeNames[mode]);
  float boundX = 0.5f, boundY = 0.5f;
  setDragParameterX(&boundX, 0.0f, 1.0f, 0.01f);
  setDragParameterY(&boundY, 0.0f, 1.0f, 0.01f);
  manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100, mode);
  resetCallCounts();
  int step = 0;
  for (auto _ : state) {
    const int d = (step++ & 1) == 0 ? 1 : 0;
    benchmark::DoNotOptimize(manipulatorHandleMotion(100 + d, 100 + d));
  }
  state.counters["queries"] = perIteration(queryCalls());
  state.counters["GL calls"] = perIteration(allCountedCalls());
  manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_UP, 100, 100, mode);
  resetToProgramStart();
}

// Frames: wall time in microseconds, medians of repeated runs.
static void frameTiming(benchmark::internal::Benchmark* b) {
  b->UseRealTime()
      ->Unit(benchmark::kMicrosecond)
      ->MinTime(kFrameMinTime)
      ->Repetitions(kFrameRepetitions)
      ->ReportAggregatesOnly(true);
}

// Sweeps and single calls: microseconds, medians of repeated runs.
static void sweepTiming(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMicrosecond)
      ->MinTime(kSweepMinTime)
      ->Repetitions(kSweepRepetitions)
      ->ReportAggregatesOnly(true);
}

// Sweeps over a size N in wall time, with Google Benchmark's O(N) fit.
static void linearSweep(benchmark::internal::Benchmark* b) {
  b->Complexity(benchmark::oN)->UseRealTime();
  sweepTiming(b);
}

BENCHMARK(diagramFrame)
    ->Name("displayDiagram")
    ->Args({310, 250})
    ->Args({1280, 1024})
    ->Apply(frameTiming);
BENCHMARK(diagramFloorFrame)
    ->Name("floor/diagram")
    ->Args({310, 250})
    ->Args({1280, 1024})
    ->Apply(frameTiming);
BENCHMARK(valuesFrame)->Name("displayValues")->Apply(frameTiming);
BENCHMARK(valuesFloorFrame)->Name("floor/values")->Apply(frameTiming);
BENCHMARK(cylinderMesh)
    ->Name("drawCylinder")
    ->RangeMultiplier(2)
    ->Range(4, 4096)
    ->Apply(linearSweep);
BENCHMARK(angleArc)->Name("drawArc")->RangeMultiplier(2)->Range(1, 4096)->Apply(linearSweep);
BENCHMARK(bitmapText)
    ->Name("printText")
    ->RangeMultiplier(2)
    ->Range(1, 1999)
    ->Apply(linearSweep);
BENCHMARK(reflectionModel)->Name("computeReflection")->Apply(sweepTiming);
BENCHMARK(dragStep)
    ->Name("manipulatorHandleMotion")
    ->DenseRange(modShift, modCtrlAlt)
    ->Apply(sweepTiming);

// The medians of one benchmark instance: time in microseconds and counters.
struct Median {
  double us;
  std::map<std::string, double> counters;
  std::string label;
};

// The console output, plus the medians kept for the table.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  TableReporter() : ConsoleReporter(OO_Tabular) {}

  std::map<std::string, Median> medians;  // by benchmark name, e.g. "drawArc/30"
  std::map<std::string, double> bigO;     // family -> coefficient of N, microseconds
  std::map<std::string, double> bigORms;  // family -> RMS of that fit, as a fraction

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string family = run.run_name.function_name;
      if (run.aggregate_name == "median") {
        Median m;
        m.us = run.GetAdjustedRealTime();
        for (const auto& counter : run.counters)
          m.counters[counter.first] = counter.second.value;
        m.label = run.report_label;
        const std::string& args = run.run_name.args;
        medians[args.empty() ? family : family + "/" + args] = m;
      } else if (run.report_big_o) {
        bigO[family] = run.GetAdjustedRealTime();
      } else if (run.report_rms) {
        bigORms[family] = run.GetAdjustedRealTime();
      }
    }
  }
};

// Median time of a benchmark instance, or NaN when it did not run.
static double timeOf(const TableReporter& r, const std::string& name) {
  const auto found = r.medians.find(name);
  return found == r.medians.end() ? std::nan("") : found->second.us;
}

static double counterOf(const TableReporter& r, const std::string& name,
                        const std::string& counter) {
  const auto found = r.medians.find(name);
  if (found == r.medians.end()) return std::nan("");
  const auto value = found->second.counters.find(counter);
  return value == found->second.counters.end() ? std::nan("") : value->second;
}

// Least-squares line t = a + b N through the medians of a sweep, and its R^2.
static void linearFit(const TableReporter& r, const std::string& family,
                      const std::vector<int>& ns, double* a, double* b, double* r2) {
  double sn = 0, st = 0, snn = 0, snt = 0, stt = 0;
  const double k = static_cast<double>(ns.size());
  for (int n : ns) {
    const double x = n, t = timeOf(r, family + "/" + std::to_string(n));
    sn += x;
    st += t;
    snn += x * x;
    snt += x * t;
    stt += t * t;
  }
  *b = (k * snt - sn * st) / (k * snn - sn * sn);
  *a = (st - *b * sn) / k;
  const double ssTotal = stt - st * st / k;
  double ssResidual = 0;
  for (int n : ns) {
    const double e = timeOf(r, family + "/" + std::to_string(n)) - (*a + *b * n);
    ssResidual += e * e;
  }
  *r2 = 1.0 - ssResidual / ssTotal;
}

// The arguments of a doubling sweep from first to last (last always included).
static std::vector<int> doublings(int first, int last) {
  std::vector<int> ns;
  for (int n = first; n < last; n *= 2) ns.push_back(n);
  ns.push_back(last);
  return ns;
}

// One row of a frame against its floor.
static void printFrameRow(const TableReporter& r, const char* what, const std::string& frame,
                          const std::string& floor) {
  const double t = timeOf(r, frame), f = timeOf(r, floor);
  std::printf("| %s | %.0f us | %.0f us | %.2f |\n", what, t, f, t / f);
}

// One row of a sweep: its ends, the fit and Google Benchmark's O(N) fit.
static void printSweepRow(const TableReporter& r, const char* what, const char* unit,
                          const std::string& family, int first, int last) {
  double a = 0, b = 0, r2 = 0;
  linearFit(r, family, doublings(first, last), &a, &b, &r2);
  std::printf(
      "| %s, %s %d to %d | %.1f us at %d, %.0f us at %d; fit %.1f us + %.3f us per %s, "
      "R^2 %.4f; O(N) fit RMS %.0f%% | | |\n",
      what, unit, first, last, timeOf(r, family + "/" + std::to_string(first)), first,
      timeOf(r, family + "/" + std::to_string(last)), last, a, b, unit, r2,
      r.bigORms.count(family) ? 100.0 * r.bigORms.at(family) : std::nan(""));
}

// The table of the medians.
static void printTable(const TableReporter& r) {
  printFrameRow(r, "displayDiagram, 310 x 250 (frame to the X server)",
                "displayDiagram/310/250", "floor/diagram/310/250");
  printFrameRow(r, "displayDiagram, 1280 x 1024", "displayDiagram/1280/1024",
                "floor/diagram/1280/1024");
  printFrameRow(r, "displayValues, 360 x 110", "displayValues", "floor/values");
  std::printf(
      "| diagram frame: project callocs / frees / GL+GLUT queries per frame | "
      "%.0f / %.0f / %.0f | | |\n",
      counterOf(r, "displayDiagram/310/250", "callocs"),
      counterOf(r, "displayDiagram/310/250", "frees"),
      counterOf(r, "displayDiagram/310/250", "queries"));
  printSweepRow(r, "drawCylinder", "facet", "drawCylinder", 4, 4096);
  printSweepRow(r, "drawArc", "segment", "drawArc", 1, 4096);
  printSweepRow(r, "printText (FontStandard)", "byte", "printText", 1, 1999);
  double listsMin = 1e9, listsMax = -1, callsMin = 1e9, callsMax = -1;
  for (int n : doublings(1, 1999)) {
    const std::string name = "printText/" + std::to_string(n);
    listsMin = std::fmin(listsMin, counterOf(r, name, "list runs"));
    listsMax = std::fmax(listsMax, counterOf(r, name, "list runs"));
    callsMin = std::fmin(callsMin, counterOf(r, name, "GL calls"));
    callsMax = std::fmax(callsMax, counterOf(r, name, "GL calls"));
  }
  std::printf(
      "| printText: list calls per text, lengths 1 to 1999 | %.0f to %.0f "
      "(GL+GLUT calls per text %.0f to %.0f) | | |\n",
      listsMin, listsMax, callsMin, callsMax);
  std::printf("| computeReflection | %.3f us | | |\n", timeOf(r, "computeReflection"));
  for (int mode = modShift; mode <= modCtrlAlt; ++mode) {
    const std::string name = "manipulatorHandleMotion/" + std::to_string(mode);
    std::printf("| drag step, %s | %.4f us, %.0f GL/GLUT queries, %.0f GL/GLUT calls | | |\n",
                kModeNames[mode], timeOf(r, name), counterOf(r, name, "queries"),
                counterOf(r, name, "GL calls"));
  }
}

int main(int argc, char** argv) {
  openBenchWindows(&argc, argv);
  benchmark::Initialize(&argc, argv);
  std::printf("# renderer: %s\n", rendererName());
  // Plain console output without colours, so that the table rows start their lines.
  TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printTable(reporter);
  benchmark::Shutdown();
  return 0;
}
