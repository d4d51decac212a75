// Start-up time and peak memory of a two-window program, against a floor.
//
//   startup_probe RUNS NAME=PROGRAM FLOOR_NAME=FLOOR_PROGRAM [NAME=PROGRAM ...]
//
// A PROGRAM may carry one argument after a blank ("floor=floor_program triangle").
// Each run starts the program (exec from a fork; the clock starts just
// before the fork), then polls the X display: it looks for the top-level
// windows titled "Velorane" and "Valeurs" and reads their pixels with
// XGetImage until each shows anything that is not black. On a display whose
// root is black (Xvfb -br) a window shows nothing but black until its first
// frame is swapped onto it, so the first non-black poll marks that frame; the
// figure is exact to within one poll interval, which is printed. 200 ms
// after both frames the program is ended with SIGTERM and its peak resident
// set is read from wait4. The programs take turns run by run so that the
// noise of a shared machine falls on all alike; the medians are printed as
// table rows with the ratios of each program to the floor (the second).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

// Titles of the two windows that both programs open.
static const char* const kDiagramTitle = "Velorane";
static const char* const kValuesTitle = "Valeurs";
// Longest wait for a program's two frames, milliseconds.
static const double kTimeoutMs = 30000.0;
// Time the program keeps running after both frames, microseconds.
static const useconds_t kSettleUs = 200000;
// Pause between two polls, microseconds.
static const useconds_t kPollPauseUs = 200;

// The connection to the display the programs run on.
static Display* display = nullptr;

// Figures of one run of one program.
struct RunFigures {
  double diagramMs;  // exec to the first frame of the diagram window
  double valuesMs;   // exec to the first frame of the values window
  double bothMs;     // exec to the later of the two
  long peakKb;       // peak resident set, kilobytes
  double pollMs;     // mean interval between polls
};

// Milliseconds of the monotonic clock.
static double nowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Windows may vanish between two requests: their errors are not fatal here.
static int ignoreXError(Display*, XErrorEvent*) { return 0; }

// The viewable top-level window with the given title, or 0.
static Window findWindow(const char* title) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
    return 0;
  }
  Window found = 0;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) && name != nullptr) {
      XWindowAttributes attributes;
      if (std::strcmp(name, title) == 0 &&
          XGetWindowAttributes(display, children[i], &attributes) &&
          attributes.map_state == IsViewable) {
        found = children[i];
      }
      XFree(name);
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

// Whether any pixel of the window is not black.
static bool showsContent(Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  bool lit = false;
  for (int y = 0; y < image->height && !lit; ++y) {
    for (int x = 0; x < image->width && !lit; ++x) {
      lit = (XGetPixel(image, x, y) & 0xffffffUL) != 0;
    }
  }
  XDestroyImage(image);
  return lit;
}

// Wait until no window of either title is left (from an earlier run).
static bool waitForNoWindows() {
  const double start = nowMs();
  while (findWindow(kDiagramTitle) != 0 || findWindow(kValuesTitle) != 0) {
    if (nowMs() - start > kTimeoutMs) return false;
    usleep(1000);
  }
  return true;
}

// Start the program once and measure it; false when it failed.
static bool measure(const std::string& command, RunFigures* figures) {
  const size_t blank = command.find(' ');
  const std::string program = command.substr(0, blank);
  const std::string argument = blank == std::string::npos ? "" : command.substr(blank + 1);
  if (!waitForNoWindows()) return false;
  const double start = nowMs();
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    char* const arguments[] = {const_cast<char*>(program.c_str()),
                               argument.empty() ? nullptr : const_cast<char*>(argument.c_str()),
                               nullptr};
    execv(program.c_str(), arguments);
    _exit(127);
  }
  double diagramAt = -1.0, valuesAt = -1.0;
  long polls = 0;
  bool failed = false;
  while (diagramAt < 0.0 || valuesAt < 0.0) {
    if (diagramAt < 0.0) {
      const Window window = findWindow(kDiagramTitle);
      if (window != 0 && showsContent(window)) diagramAt = nowMs() - start;
    }
    if (valuesAt < 0.0) {
      const Window window = findWindow(kValuesTitle);
      if (window != 0 && showsContent(window)) valuesAt = nowMs() - start;
    }
    ++polls;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid || nowMs() - start > kTimeoutMs) {
      failed = true;
      break;
    }
    usleep(kPollPauseUs);
  }
  const double pollMs = (nowMs() - start) / static_cast<double>(polls);
  if (!failed) usleep(kSettleUs);
  kill(pid, SIGTERM);
  int status = 0;
  rusage usage;
  std::memset(&usage, 0, sizeof usage);
  wait4(pid, &status, 0, &usage);
  if (failed) return false;
  *figures =
      RunFigures{diagramAt, valuesAt, std::max(diagramAt, valuesAt), usage.ru_maxrss, pollMs};
  return true;
}

// Median of the values that `field` picks from the runs.
template <typename Field>
static double median(const std::vector<RunFigures>& runs, Field field) {
  std::vector<double> values;
  for (const RunFigures& run : runs) values.push_back(static_cast<double>(field(run)));
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Split "NAME=PATH".
static bool splitProgram(const char* argument, std::string* name, std::string* path) {
  const char* equals = std::strchr(argument, '=');
  if (equals == nullptr) return false;
  *name = std::string(argument, equals);
  *path = std::string(equals + 1);
  return true;
}

int main(int argc, char** argv) {
  const int programs = argc - 2;
  std::vector<std::string> names(programs > 0 ? programs : 0), paths(names.size());
  bool usable = argc >= 4 && std::atoi(argv[1]) >= 1;
  for (int p = 0; usable && p < programs; ++p) {
    usable = splitProgram(argv[p + 2], &names[p], &paths[p]);
  }
  if (!usable) {
    std::fprintf(stderr,
                 "usage: startup_probe RUNS NAME=PROGRAM FLOOR_NAME=FLOOR_PROGRAM "
                 "[NAME=PROGRAM ...]\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "startup_probe: cannot open the display\n");
    return 1;
  }
  XSetErrorHandler(ignoreXError);

  std::vector<std::vector<RunFigures>> figures(names.size());
  for (int run = 0; run < runs; ++run) {
    for (int p = 0; p < programs; ++p) {
      RunFigures f;
      if (!measure(paths[p], &f)) {
        std::fprintf(stderr, "startup_probe: %s showed no frame\n", paths[p].c_str());
        return 1;
      }
      std::printf(
          "# run %d %-16s diagram %7.1f ms  values %7.1f ms  peak RSS %6ld kB  "
          "poll %.2f ms\n",
          run + 1, names[p].c_str(), f.diagramMs, f.valuesMs, f.peakKb, f.pollMs);
      std::fflush(stdout);
      figures[p].push_back(f);
    }
  }

  std::vector<double> both(names.size()), peak(names.size()), diagram(names.size());
  double poll = 0.0;
  for (int p = 0; p < programs; ++p) {
    both[p] = median(figures[p], [](const RunFigures& f) { return f.bothMs; });
    diagram[p] = median(figures[p], [](const RunFigures& f) { return f.diagramMs; });
    peak[p] = median(figures[p], [](const RunFigures& f) { return f.peakKb; });
    poll = std::max(poll, median(figures[p], [](const RunFigures& f) { return f.pollMs; }));
  }
  for (int p = 0; p < programs; ++p) {
    if (p == 1) continue;
    std::printf(
        "| start-up of %s: exec to the first frame of both windows (median of %d) "
        "| %.1f ms | %.1f ms | %.2f |\n",
        names[p].c_str(), runs, both[p], both[1], both[p] / both[1]);
    std::printf(
        "| start-up of %s: exec to the first frame of the diagram window | %.1f ms "
        "| %.1f ms | %.2f |\n",
        names[p].c_str(), diagram[p], diagram[1], diagram[p] / diagram[1]);
    std::printf("| peak resident memory of %s (median of %d) | %.0f kB | %.0f kB | %.2f |\n",
                names[p].c_str(), runs, peak[p], peak[1], peak[p] / peak[1]);
  }
  std::printf("# start-up resolution: one poll, %.2f ms (the longest median interval)\n", poll);
  XCloseDisplay(display);
  return 0;
}
