// The soak: a seeded stream of random input events for the real program, sent
// in batches through one xdotool process each (XTEST, so the program sees real
// key and button events with real modifier state), with the program's life
// and resident memory checked between batches. Builds on the program driver.
#include "tests/soak/soak.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/support/program_driver.h"

// Events sent by one xdotool process.
static const int kBatchEvents = 32;
// The program's first window sizes and positions, restored before each memory figure.
static const WindowGeometry kDiagramStart = {50, 50, 310, 250};
static const WindowGeometry kValuesStart = {60, 340, 360, 110};
// The menu opens at the pointer, about 65 x 29 pixels, and is moved only to stay on
// the screen: points where it opens keep this much room to the right and below, in
// pixels. Points clear of a menu keep this far from its edges.
static const int kMenuRoomX = 100;
static const int kMenuRoomY = 60;
static const int kMenuMargin = 10;
// Special keys sent under the eight combinations of Shift, Ctrl and Alt.
static const char* const kSpecialKeys[] = {
    "Left", "Right", "Up", "Down", "Prior", "Next", "Home", "End", "Insert", "F1", "F2",
    "F3",   "F4",    "F5", "F6",   "F7",    "F8",   "F9",   "F10", "F11",    "F12"};
static const char* const kModifierNames[] = {"shift", "ctrl", "alt"};

// Everything a soak run works with.
struct Soak {
  ProgramDriver* program;
  std::mt19937 random;
  unsigned long diagram;
  unsigned long values;
  WindowGeometry diagramGeometry;  // as last read from the X server
  WindowGeometry valuesGeometry;   // as last read from the X server
  int screenWidth;                 // pixels
  int screenHeight;                // pixels
  std::string batch;               // xdotool commands not sent yet
  int batchEvents;                 // events in `batch`
  long firstEventOfBatch;          // index of the first event in `batch`
  long eventsSent;                 // events handed to xdotool so far
  unsigned long focused;           // window focused by the batch so far, 0 for none
  bool trace;                      // print every xdotool command to standard error
  SoakResult* result;
};

// A number from 0 to n - 1, the same for the same seed on every C++ library.
static int randomBelow(Soak* s, int n) {
  return static_cast<int>(s->random() % static_cast<unsigned>(n));
}

static std::string number(long value) { return std::to_string(value); }

// The modifier names of the bits 1 shift, 2 ctrl, 4 alt joined by "+", "" for none.
static std::string modifierList(int bits) {
  std::string list;
  for (int i = 0; i < 3; ++i) {
    if ((bits & (1 << i)) == 0) continue;
    if (!list.empty()) list += "+";
    list += kModifierNames[i];
  }
  return list;
}

static void readGeometry(Soak* s) {
  s->diagramGeometry = s->program->geometry(s->diagram);
  s->valuesGeometry = s->program->geometry(s->values);
}

static void updatePeak(Soak* s) {
  const long rss = s->program->residentKilobytes();
  if (rss > s->result->rssPeakKb) s->result->rssPeakKb = rss;
}

// Run xdotool with chained commands, and print them first when tracing; false,
// with the failure recorded, when xdotool did not run them all.
static bool sendInput(Soak* s, const std::string& commands) {
  if (s->trace) std::fprintf(stderr, "[%ld] xdotool %s\n", s->eventsSent, commands.c_str());
  if (ProgramDriver::xdotool(commands)) return true;
  s->result->failure = "xdotool failed at event " + number(s->eventsSent) + ": " + commands;
  return false;
}

// Give the program a moment to take in what was sent, as a person's pace
// would; this waits for no event of its own.
static void pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Whether the program still runs; when it does not, the failure names the events
// sent last.
static bool stillRunning(Soak* s, const std::string& lastCommands) {
  if (s->program->running()) return true;
  s->result->keptRunning = false;
  s->result->failure = "the program ended (status " + number(s->program->waitForExit(0)) +
                       ") during events " + number(s->firstEventOfBatch) + " to " +
                       number(s->eventsSent - 1) + "; last input: xdotool " + lastCommands;
  return false;
}

// Send the pending batch and check that the program still runs; false when it ended.
static bool flush(Soak* s) {
  if (!s->batch.empty()) {
    if (!sendInput(s, s->batch)) return false;
    s->eventsSent += s->batchEvents;
  }
  const std::string sent = s->batch;
  s->batch.clear();
  s->batchEvents = 0;
  s->focused = 0;
  pause(5);
  if (!stillRunning(s, sent)) return false;
  s->firstEventOfBatch = s->eventsSent;
  updatePeak(s);
  return true;
}

// Count one event in the batch; send the batch when it is full.
static bool endEvent(Soak* s) {
  ++s->batchEvents;
  if (s->batchEvents >= kBatchEvents) return flush(s);
  return true;
}

static void focusWindow(Soak* s, unsigned long window) {
  if (s->focused == window) return;
  s->batch += "windowfocus --sync " + number(static_cast<long>(window)) + " ";
  s->focused = window;
}

static const WindowGeometry& geometryOf(Soak* s, unsigned long window) {
  return window == s->diagram ? s->diagramGeometry : s->valuesGeometry;
}

// A random point of the window in screen pixels, kept within [0, maxX] x [0, maxY].
static void pointIn(Soak* s, unsigned long window, int maxX, int maxY, int* x, int* y) {
  const WindowGeometry& g = geometryOf(s, window);
  *x = std::clamp(g.x + randomBelow(s, std::max(g.width, 1)), 0, maxX);
  *y = std::clamp(g.y + randomBelow(s, std::max(g.height, 1)), 0, maxY);
}

static unsigned long randomWindow(Soak* s) {
  return randomBelow(s, 2) == 0 ? s->diagram : s->values;
}

// Let the program act on a full-screen toggle, then read where its windows are.
static bool afterFullScreen(Soak* s) {
  if (!flush(s)) return false;
  pause(300);
  readGeometry(s);
  return true;
}

static bool sendByte(Soak* s, unsigned long window, int byte, bool withAlt) {
  focusWindow(s, window);
  s->batch += "key --delay 0 " + std::string(withAlt ? "alt+" : "") + keyForByte(byte) + " ";
  if (!endEvent(s)) return false;
  // "#" in the diagram window switches full screen.
  if (byte == '#' && window == s->diagram) return afterFullScreen(s);
  return true;
}

static bool sendSpecialKey(Soak* s) {
  const int count = static_cast<int>(sizeof kSpecialKeys / sizeof kSpecialKeys[0]);
  const std::string mods = modifierList(randomBelow(s, 8));
  const char* key = kSpecialKeys[randomBelow(s, count)];
  focusWindow(s, randomWindow(s));
  s->batch += "key --delay 0 " + (mods.empty() ? "" : mods + "+") + key + " ";
  return endEvent(s);
}

// A left drag with a random set of modifiers held, from a point of a window (mostly
// the diagram), of a random length up to 400 pixels in a random direction.
static bool sendDrag(Soak* s) {
  const unsigned long window = randomBelow(s, 5) == 0 ? s->values : s->diagram;
  const std::string mods = modifierList(randomBelow(s, 8));
  int x0 = 0, y0 = 0;
  pointIn(s, window, s->screenWidth - 1, s->screenHeight - 1, &x0, &y0);
  const double direction = static_cast<double>(randomBelow(s, 360)) * 3.141592653589793 / 180.0;
  const double length = static_cast<double>(randomBelow(s, 401));
  const int steps = 1 + randomBelow(s, 8);
  std::string& b = s->batch;
  b += "mousemove " + number(x0) + " " + number(y0) + " ";
  if (!mods.empty()) b += "keydown " + mods + " ";
  b += "mousedown 1 ";
  for (int i = 1; i <= steps; ++i) {
    const double share = static_cast<double>(i) / static_cast<double>(steps);
    const long x = std::lround(x0 + std::cos(direction) * length * share);
    const long y = std::lround(y0 + std::sin(direction) * length * share);
    b += "mousemove " + number(std::clamp(x, 0L, static_cast<long>(s->screenWidth - 1))) + " " +
         number(std::clamp(y, 0L, static_cast<long>(s->screenHeight - 1))) + " ";
  }
  b += "mouseup 1 ";
  if (!mods.empty()) b += "keyup " + mods + " ";
  return endEvent(s);
}

// The quit menus showing on the screen (each a window of its own), waiting up to
// timeoutMs for one to show (`shown`) or for all to be gone (not `shown`).
static std::vector<WindowGeometry> waitForMenus(Soak* s, bool shown, int timeoutMs) {
  for (int waited = 0;; waited += 20) {
    std::istringstream ids(ProgramDriver::shell(
        "xdotool search --onlyvisible --name '^freeglut menu$' 2>/dev/null"));
    std::vector<WindowGeometry> menus;
    unsigned long id = 0;
    while (ids >> id) menus.push_back(s->program->geometry(id));
    if (menus.empty() != shown || waited >= timeoutMs) return menus;
    pause(20);
  }
}

// A point of one of the program's windows, in screen pixels, well clear of the
// menus; false when the windows leave none.
static bool pointClearOfMenus(Soak* s, const std::vector<WindowGeometry>& menus, int* x,
                              int* y) {
  for (const WindowGeometry* g : {&s->diagramGeometry, &s->valuesGeometry}) {
    const int right = g->x + std::max(g->width, 1) - 1;
    const int bottom = g->y + std::max(g->height, 1) - 1;
    const int candidates[][2] = {{(g->x + right) / 2, (g->y + bottom) / 2},
                                 {g->x, g->y},
                                 {right, bottom},
                                 {right, g->y},
                                 {g->x, bottom}};
    for (const auto& c : candidates) {
      bool clear = c[0] >= 0 && c[0] < s->screenWidth && c[1] >= 0 && c[1] < s->screenHeight;
      for (const WindowGeometry& m : menus) {
        if (c[0] >= m.x - kMenuMargin && c[0] < m.x + m.width + kMenuMargin &&
            c[1] >= m.y - kMenuMargin && c[1] < m.y + m.height + kMenuMargin) {
          clear = false;
        }
      }
      if (clear) {
        *x = c[0];
        *y = c[1];
        return true;
      }
    }
  }
  return false;
}

// Open the quit menu with the right button and dismiss it without choosing its entry.
// The menu opens on the press, where GLUT believes the pointer to be (not always
// under it: without a window manager, full-screen switches can leave GLUT's idea of a
// window's place off), and a release over its entry would choose it. So the values
// window first gets its first place back (the diagram window may be anywhere, even
// off the screen), the button goes down in a window, the menu's real place is read
// once it holds still,
// the pointer moves to a point of the windows clear of it and the button comes up
// there; a left click at that point then closes the menu. A click on the bare screen
// does not reach the program and would leave the menu open under later events; Escape
// would close it too, but also reaches the program as Esc.
static bool sendMenu(Soak* s) {
  if (!flush(s)) return false;
  const std::string values = number(static_cast<long>(s->values));
  if (!sendInput(s, "windowsize " + values + " " + number(kValuesStart.width) + " " +
                        number(kValuesStart.height) + " windowmove " + values + " " +
                        number(kValuesStart.x) + " " + number(kValuesStart.y))) {
    return false;
  }
  pause(50);
  readGeometry(s);
  const WindowGeometry& d = s->diagramGeometry;
  const bool diagramOnScreen = d.x >= 0 && d.y >= 0 && d.x + d.width <= s->screenWidth &&
                               d.y + d.height <= s->screenHeight;
  const unsigned long window =
      diagramOnScreen && randomBelow(s, 2) == 0 ? s->diagram : s->values;
  int x = 0, y = 0;
  pointIn(s, window, s->screenWidth - kMenuRoomX, s->screenHeight - kMenuRoomY, &x, &y);
  s->batch = "mousemove " + number(x) + " " + number(y) + " mousedown 3 ";
  s->batchEvents = 1;
  if (!flush(s)) return false;
  std::vector<WindowGeometry> menus = waitForMenus(s, true, 2000);
  // GLUT maps the menu first and moves it to its new place a moment later: read its
  // place until it holds still.
  for (int read = 0; read < 10 && !menus.empty(); ++read) {
    pause(50);
    const std::vector<WindowGeometry> again = waitForMenus(s, true, 0);
    bool same = again.size() == menus.size();
    for (size_t i = 0; same && i < menus.size(); ++i) {
      same = again[i].x == menus[i].x && again[i].y == menus[i].y &&
             again[i].width == menus[i].width && again[i].height == menus[i].height;
    }
    menus = again;
    if (same) break;
  }
  const bool opened = !menus.empty();
  // Keep clear of the place where the menu opens when GLUT knows the window's place too.
  menus.push_back(WindowGeometry{x, y, kMenuRoomX, kMenuRoomY});
  int clearX = 0, clearY = 0;
  if (!pointClearOfMenus(s, menus, &clearX, &clearY)) {
    s->result->failure = "no point of the windows is clear of the menu opened at (" +
                         number(x) + ", " + number(y) + ")";
    return false;
  }
  // Up and a click at the clear point even when no menu was seen: a late menu closes.
  const std::string dismiss =
      "mousemove " + number(clearX) + " " + number(clearY) + " mouseup 3 sleep 0.02 click 1";
  if (!sendInput(s, dismiss)) return false;
  if (opened) ++s->result->menusOpened;
  if (!waitForMenus(s, false, opened ? 2000 : 200).empty()) {
    if (!stillRunning(s, dismiss)) return false;
    s->result->failure = "the menu opened at (" + number(x) + ", " + number(y) +
                         ") did not close on a click at (" + number(clearX) + ", " +
                         number(clearY) + ")";
    return false;
  }
  return stillRunning(s, dismiss);
}

// Resize a window: often to 1 x 1 or to one pixel in one direction, sometimes back to
// its first size, otherwise to a random size.
static bool sendResize(Soak* s) {
  const unsigned long window = randomWindow(s);
  const WindowGeometry& start = window == s->diagram ? kDiagramStart : kValuesStart;
  int width = 1 + randomBelow(s, 700);
  int height = 1 + randomBelow(s, 600);
  const int kind = randomBelow(s, 10);
  if (kind < 3) {
    width = 1;
    height = 1;
  } else if (kind == 3) {
    width = 1;
  } else if (kind == 4) {
    height = 1;
  } else if (kind < 7) {
    width = start.width;
    height = start.height;
  }
  s->batch += "windowsize " + number(static_cast<long>(window)) + " " + number(width) + " " +
              number(height) + " ";
  if (!endEvent(s) || !flush(s)) return false;
  pause(30);
  readGeometry(s);
  return true;
}

static bool sendFullScreenToggle(Soak* s) {
  focusWindow(s, s->diagram);
  s->batch += "key --delay 0 numbersign ";
  if (!endEvent(s)) return false;
  return afterFullScreen(s);
}

static bool sendRandomEvent(Soak* s) {
  const int kind = randomBelow(s, 100);
  if (kind < 45) {
    int byte = randomBelow(s, 256);
    if (byte == 27) byte = 28;
    return sendByte(s, randomWindow(s), byte, randomBelow(s, 5) == 0);
  }
  if (kind < 70) return sendSpecialKey(s);
  if (kind < 85) return sendDrag(s);
  if (kind < 92) return sendMenu(s);
  if (kind < 97) return sendResize(s);
  return sendFullScreenToggle(s);
}

// Whether a key still reaches the program: "4" in the values window moves the
// light a step, so the window's picture changes. Proves that the events before
// it were delivered too, not dropped on the way.
static bool keysStillArrive(Soak* s) {
  const Image before = s->program->capture(s->values);
  focusWindow(s, s->values);
  s->batch += "key 4 ";
  if (!flush(s)) return false;
  const bool changed = ProgramDriver::waitFor(
      [&] { return s->program->capture(s->values).rgb != before.rgb; }, 5000);
  if (!changed)
    s->result->failure =
        "the values window did not take a key after event " + number(s->eventsSent);
  return changed;
}

// Bring both windows back to their first places and sizes (leaving full screen
// first), let the program redraw, and return its resident memory in KiB.
static long settledMemory(Soak* s) {
  if (!flush(s)) return -1;
  readGeometry(s);
  const WindowGeometry& d = s->diagramGeometry;
  if (d.width == s->screenWidth && d.height == s->screenHeight) {
    focusWindow(s, s->diagram);
    s->batch += "key numbersign ";
    if (!flush(s)) return -1;
    pause(400);
  }
  for (const auto& [window, start] :
       {std::pair{s->diagram, kDiagramStart}, std::pair{s->values, kValuesStart}}) {
    const std::string id = number(static_cast<long>(window));
    s->batch += "windowsize " + id + " " + number(start.width) + " " + number(start.height) +
                " windowmove " + id + " " + number(start.x) + " " + number(start.y) + " ";
  }
  if (!flush(s)) return -1;
  pause(1000);
  readGeometry(s);
  if (!keysStillArrive(s)) return -1;
  return s->program->residentKilobytes();
}

static double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Send the byte sweep and the random events; false when the program ended.
static bool sendEvents(Soak* s, const SoakOptions& options) {
  const auto start = std::chrono::steady_clock::now();
  // Every byte value but Esc, in both windows, in an order of the seed.
  for (const unsigned long window : {s->diagram, s->values}) {
    std::vector<int> bytes;
    for (int byte = 0; byte < 256; ++byte) {
      if (!keyForByte(byte).empty()) bytes.push_back(byte);
    }
    for (size_t i = bytes.size(); i > 1; --i) {
      std::swap(bytes[i - 1], bytes[static_cast<size_t>(randomBelow(s, static_cast<int>(i)))]);
    }
    for (const int byte : bytes) {
      if (!sendByte(s, window, byte, false)) return false;
      ++s->result->sweepEvents;
    }
  }
  const long warmup =
      static_cast<long>(static_cast<double>(options.events) * options.warmupShare);
  for (long i = 0; i < options.events; ++i) {
    if (i == warmup) {
      s->result->rssWarmKb = settledMemory(s);
      if (s->result->rssWarmKb < 0) return false;
      if (options.verbose) std::printf("warm-up done: %ld KiB\n", s->result->rssWarmKb);
    }
    if (secondsSince(start) > options.maxSeconds) {
      if (options.verbose) std::printf("time limit reached after %ld events\n", i);
      break;
    }
    if (!sendRandomEvent(s)) return false;
    if (4 * (i + 1) >= 3 * options.events && (i + 1) % 250 == 0) {
      if (!flush(s)) return false;
      const long rss = s->program->residentKilobytes();
      if (s->result->rssLateFloorKb < 0 || rss < s->result->rssLateFloorKb) {
        s->result->rssLateFloorKb = rss;
      }
    }
    if (options.verbose && (i + 1) % 1000 == 0) {
      std::printf("%ld events, %ld KiB, %.0f s\n", i + 1, s->program->residentKilobytes(),
                  secondsSince(start));
      std::fflush(stdout);
    }
  }
  if (!flush(s)) return false;
  if (s->result->rssWarmKb < 0) s->result->rssWarmKb = settledMemory(s);
  return true;
}

std::string keyForByte(int byte) {
  if (byte < 0 || byte > 255 || byte == 27) return "";
  switch (byte) {
    case 0: return "ctrl+at";
    case 28: return "ctrl+backslash";
    case 29: return "ctrl+bracketright";
    case 30: return "ctrl+asciicircum";
    case 31: return "ctrl+underscore";
    case 127: return "Delete";
    default: break;
  }
  if (byte < 27) return std::string("ctrl+") + static_cast<char>('a' + byte - 1);
  char keysym[8];
  std::snprintf(keysym, sizeof keysym, "0x%02x", byte);
  // A capital Latin-1 letter alone on a key reads as its small letter without Shift.
  const bool capital = byte >= 0xC0 && byte <= 0xDE && byte != 0xD7;
  return capital ? std::string("shift+") + keysym : std::string(keysym);
}

bool runSoak(const SoakOptions& options, long allowedGrowthKb, SoakResult* result) {
  *result = SoakResult{};
  // A run cut short elsewhere may have left keys or buttons down on the display; a
  // held Esc would end the program at once.
  ProgramDriver::xdotool("keyup shift keyup ctrl keyup alt keyup Escape mouseup 1 mouseup 3");
  // The C library's allocator raises its threshold for mapping a block of its
  // own each time such a block is freed (the framebuffers of a window leaving
  // full screen, say), after which blocks as large come from the heap and may
  // stay resident when freed: the resident memory then wanders by megabytes
  // from run to run without a leak. A fixed threshold (the default one) keeps
  // the program's figures comparable; the child reads it as it starts.
  setenv("MALLOC_MMAP_THRESHOLD_", "131072", 0);
  ProgramDriver program;
  if (!program.start()) {
    result->failure = "the program could not be started";
    return false;
  }
  Soak s{};
  s.program = &program;
  s.random.seed(options.seed);
  s.result = result;
  s.trace = options.trace;
  if (!program.waitForWindows(&s.diagram, &s.values)) {
    result->failure = "the program's windows did not appear";
    return false;
  }
  std::istringstream screen(ProgramDriver::shell("xdotool getdisplaygeometry 2>/dev/null"));
  if (!(screen >> s.screenWidth >> s.screenHeight)) {
    s.screenWidth = 1280;
    s.screenHeight = 1024;
  }
  readGeometry(&s);
  result->rssStartKb = program.residentKilobytes();
  result->rssPeakKb = result->rssStartKb;
  result->keptRunning = true;

  const auto start = std::chrono::steady_clock::now();
  const bool sent = sendEvents(&s, options);
  result->seconds = secondsSince(start);
  if (!sent) {
    result->eventsSent = s.eventsSent;
    return false;
  }
  result->eventsSent = s.eventsSent;
  result->rssEndKb = settledMemory(&s);
  if (result->rssEndKb < 0) return false;

  focusWindow(&s, s.diagram);
  s.batch += "key Escape";
  if (!sendInput(&s, s.batch)) return false;
  result->exitStatus = program.waitForExit(5000);
  if (result->exitStatus != 0) {
    result->failure = result->exitStatus < 0
                          ? "Esc did not end the program"
                          : "Esc ended the program with status " + number(result->exitStatus);
    return false;
  }
  if (result->rssLateFloorKb < 0 || result->rssEndKb < result->rssLateFloorKb) {
    result->rssLateFloorKb = result->rssEndKb;
  }
  const long growth = result->rssLateFloorKb - result->rssWarmKb;
  if (growth > allowedGrowthKb) {
    result->failure = "resident memory grew by " + number(growth) + " KiB after the warm-up";
    return false;
  }
  return true;
}

std::string describeSoak(const SoakOptions& options, const SoakResult& r) {
  char text[1024];
  std::snprintf(text, sizeof text,
                "seed %u\n"
                "events sent: %ld (byte sweep %ld, random %ld of %ld asked) in %.1f s\n"
                "resident memory: start %ld KiB, after warm-up %ld KiB, end %ld KiB, "
                "lowest of the last quarter %ld KiB, peak %ld KiB\n"
                "menus opened and dismissed: %ld\n"
                "kept running: %s\n"
                "exit status after Esc: %d\n",
                options.seed, r.eventsSent, r.sweepEvents, r.eventsSent - r.sweepEvents,
                options.events, r.seconds, r.rssStartKb, r.rssWarmKb, r.rssEndKb,
                r.rssLateFloorKb, r.rssPeakKb, r.menusOpened, r.keptRunning ? "yes" : "no",
                r.exitStatus);
  std::string description = text;
  if (!r.failure.empty()) description += "failure: " + r.failure + "\n";
  return description;
}
