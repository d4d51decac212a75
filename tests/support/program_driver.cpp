// The end-to-end program driver. Windows are told apart by the process that
// opened them: the X server knows the process of each local client (the
// X-Resource extension), so a window left by another program, even one with
// the same title, is never taken for the program's own.
#include "tests/support/program_driver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#ifndef VELORANE_PROGRAM
#error "VELORANE_PROGRAM must name the program under test"
#endif
#ifndef VELORANE_PROGRAM_LAUNCHER
#define VELORANE_PROGRAM_LAUNCHER ""
#endif

// Bound of one xdotool process, in seconds: a focus or a window that never
// comes must not hang the test.
static const int kXdotoolSeconds = 20;

// X errors seen by the driver's own connection since the last reset.
static int xErrors = 0;

static int countXError(Display*, XErrorEvent*) {
  ++xErrors;
  return 0;
}

static void sleepMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

static std::vector<std::string> splitWords(const char* text) {
  std::vector<std::string> words;
  std::istringstream in(text ? text : "");
  std::string word;
  while (in >> word) words.push_back(word);
  return words;
}

std::vector<std::string> programCommand() {
  const char* launcher = std::getenv("VELORANE_LAUNCHER");
  std::vector<std::string> words =
      splitWords(launcher != nullptr ? launcher : VELORANE_PROGRAM_LAUNCHER);
  const char* program = std::getenv("VELORANE_PROGRAM");
  words.push_back(program && *program ? program : VELORANE_PROGRAM);
  return words;
}

// Run a shell command; what it printed on standard output, and its exit
// status (-1 when it could not be run or did not exit).
static int runCommand(const std::string& command, std::string* output) {
  output->clear();
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output->append(buffer, n);
  const int status = pclose(pipe);
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::string ProgramDriver::shell(const std::string& command) {
  std::string output;
  runCommand(command, &output);
  return output;
}

bool ProgramDriver::xdotool(const std::string& commands) {
  std::string output;
  const int status = runCommand(
      "timeout " + std::to_string(kXdotoolSeconds) + " xdotool " + commands + " 2>&1", &output);
  if (status == 0) return true;
  ADD_FAILURE() << "xdotool " << commands << " failed"
                << (status == 124 ? " (timed out)" : " with status " + std::to_string(status))
                << ": " << output;
  return false;
}

// The bound of a wait: VELORANE_WAIT_MS, or 5 s.
static int waitBoundMs() {
  const char* bound = std::getenv("VELORANE_WAIT_MS");
  return bound && std::atoi(bound) > 0 ? std::atoi(bound) : 5000;
}

// The bound of the wait for the program's windows: 10 s, or twice the bound of
// a wait where that is longer (a program started under Wine or an emulator).
static int windowBoundMs() { return std::max(10000, 2 * waitBoundMs()); }

bool ProgramDriver::waitFor(const std::function<bool()>& condition, int timeoutMs) {
  if (timeoutMs < 0) timeoutMs = waitBoundMs();
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    sleepMs(10);
  }
}

long ProgramDriver::residentKilobytes() const {
  if (pid_ <= 0) return -1;
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, 6, "VmRSS:") == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// Whether a window manager says it runs on the display: the root's
// _NET_SUPPORTING_WM_CHECK names a window that names itself.
static bool windowManagerRuns(Display* display) {
  const auto checkWindow = [display](Window window, Window* named) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    xErrors = 0;
    const bool read = XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type,
                                         &format, &count, &after, &data) == Success &&
                      data != nullptr && count == 1;
    if (read) *named = *reinterpret_cast<Window*>(data);
    if (data) XFree(data);
    XSync(display, False);
    return read && xErrors == 0;
  };
  Window wm = 0, itself = 0;
  return checkWindow(DefaultRootWindow(display), &wm) && checkWindow(wm, &itself) &&
         itself == wm;
}

ProgramDriver::ProgramDriver() {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) {
    ADD_FAILURE() << "the driver cannot open the display";
    return;
  }
  XSetErrorHandler(countXError);
  // The tests' rules differ under a window manager: the pass must say which.
  const bool runs = windowManagerRuns(static_cast<Display*>(display_));
  if (runs != windowManaged()) {
    ADD_FAILURE() << (runs ? "a window manager runs on the display, but "
                             "VELORANE_WINDOW_MANAGER is not set"
                           : "VELORANE_WINDOW_MANAGER is set, but no window manager runs on "
                             "the display");
  }
}

ProgramDriver::~ProgramDriver() {
  if (running()) {
    // The program leads a process group of its own: the launcher's children go too.
    kill(-pid_, SIGKILL);
    kill(pid_, SIGKILL);
    waitForExit(2000);
  }
  if (display_ != nullptr) XCloseDisplay(static_cast<Display*>(display_));
}

bool ProgramDriver::start(const std::vector<std::string>& arguments) {
  std::vector<std::string> words = programCommand();
  words.insert(words.end(), arguments.begin(), arguments.end());
  // The child reports a failed exec through this pipe; a successful exec
  // closes it.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  pid_ = fork();
  if (pid_ < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (pid_ == 0) {
    setpgid(0, 0);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    const int error = errno;
    (void)!write(report[1], &error, sizeof error);
    _exit(127);
  }
  close(report[1]);
  int error = 0;
  ssize_t n;
  do {
    n = read(report[0], &error, sizeof error);
  } while (n < 0 && errno == EINTR);
  close(report[0]);
  status_ = -1;
  if (n > 0) {
    ADD_FAILURE() << "cannot execute " << words[0] << ": " << std::strerror(error);
    waitForExit(2000);
    return false;
  }
  return true;
}

// The process and all its descendants, from the parent links in /proc.
static std::set<pid_t> processTree(pid_t root) {
  std::vector<std::pair<pid_t, pid_t>> links;  // (process, parent)
  if (DIR* proc = opendir("/proc")) {
    while (dirent* entry = readdir(proc)) {
      const pid_t p = std::atoi(entry->d_name);
      if (p <= 0) continue;
      std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
      std::string line;
      if (!std::getline(stat, line)) continue;
      // The name in parentheses may hold spaces: the fields follow the last ')'.
      const size_t close = line.rfind(')');
      if (close == std::string::npos) continue;
      std::istringstream fields(line.substr(close + 1));
      char state;
      pid_t parent = 0;
      fields >> state >> parent;
      links.emplace_back(p, parent);
    }
    closedir(proc);
  }
  std::set<pid_t> tree{root};
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& [p, parent] : links) {
      if (tree.count(parent) && !tree.count(p)) grew = tree.insert(p).second;
    }
  }
  return tree;
}

// The process of the X client that created `window`, or 0 when unknown.
static pid_t clientProcess(Display* display, Window window) {
  XResClientIdSpec request;  // the client that created `window`, asked for its process
  request.client = window;
  request.mask = XRES_CLIENT_ID_PID_MASK;
  long count = 0;
  XResClientIdValue* ids = nullptr;
  if (XResQueryClientIds(display, 1, &request, &count, &ids) != Success) return 0;
  pid_t pid = 0;
  for (long i = 0; i < count; ++i) {
    if (XResGetClientPid(&ids[i]) > 0) pid = XResGetClientPid(&ids[i]);
  }
  XResClientIdsDestroy(count, ids);
  return pid;
}

static void collectWindows(Display* display, Window window, std::vector<Window>* all) {
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return;
  for (unsigned int i = 0; i < count; ++i) {
    all->push_back(children[i]);
    collectWindows(display, children[i], all);
  }
  if (children) XFree(children);
}

std::vector<unsigned long> ProgramDriver::windowsOfProgram(const std::string* title) {
  std::vector<unsigned long> found;
  Display* display = static_cast<Display*>(display_);
  if (display == nullptr || pid_ <= 0) return found;
  const std::set<pid_t> tree = processTree(pid_);
  std::vector<Window> all;
  collectWindows(display, DefaultRootWindow(display), &all);
  for (Window w : all) {
    if (title) {
      char* name = nullptr;
      const bool same = XFetchName(display, w, &name) && name && *title == name;
      if (name) XFree(name);
      if (!same) continue;
    }
    if (tree.count(clientProcess(display, w))) found.push_back(w);
  }
  return found;
}

unsigned long ProgramDriver::findWindow(const std::string& title, int timeoutMs) {
  if (timeoutMs < 0) timeoutMs = windowBoundMs();
  unsigned long id = 0;
  waitFor(
      [&] {
        const std::vector<unsigned long> windows = windowsOfProgram(&title);
        if (!windows.empty()) id = windows.front();
        return id != 0 || !running();
      },
      timeoutMs);
  return id;
}

static bool viewable(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) &&
         attributes.map_state == IsViewable;
}

// Whether any pixel of the picture is not black.
static bool drawn(const Image& image) {
  for (std::uint8_t c : image.rgb) {
    if (c != 0) return true;
  }
  return false;
}

bool ProgramDriver::waitForWindows(unsigned long* diagram, unsigned long* values,
                                   int timeoutMs) {
  if (timeoutMs < 0) timeoutMs = windowBoundMs();
  const auto start = std::chrono::steady_clock::now();
  *diagram = findWindow("Velorane", timeoutMs);
  *values = findWindow("Valeurs", timeoutMs);
  if (*diagram == 0 || *values == 0) return false;
  const int elapsed = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - start)
                                           .count());
  Display* display = static_cast<Display*>(display_);
  return waitFor(
      [&] {
        for (unsigned long w : {*diagram, *values}) {
          if (!viewable(display, w) || !drawn(capture(w))) return false;
        }
        return true;
      },
      std::max(timeoutMs - elapsed, 0));
}

unsigned long ProgramDriver::waitForOtherWindow(unsigned long diagram, unsigned long values,
                                                int timeoutMs) {
  Display* display = static_cast<Display*>(display_);
  unsigned long other = 0;
  waitFor(
      [&] {
        for (unsigned long w : windowsOfProgram(nullptr)) {
          if (w != diagram && w != values && viewable(display, w)) {
            XWindowAttributes a;
            // The program's own top-level windows, not their children.
            if (XGetWindowAttributes(display, w, &a) && a.override_redirect) other = w;
          }
        }
        return other != 0;
      },
      timeoutMs);
  return other;
}

WindowGeometry ProgramDriver::geometry(unsigned long window) {
  WindowGeometry g;
  Display* display = static_cast<Display*>(display_);
  if (display == nullptr) return g;
  XSync(display, False);
  xErrors = 0;
  XWindowAttributes attributes;
  Window child;
  int x = 0, y = 0;
  const bool read =
      XGetWindowAttributes(display, window, &attributes) &&
      XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
  XSync(display, False);
  if (!read || xErrors != 0) {
    ADD_FAILURE() << "cannot read the geometry of window " << window;
    return g;
  }
  g.x = x;
  g.y = y;
  g.width = attributes.width;
  g.height = attributes.height;
  return g;
}

bool ProgramDriver::windowManaged() {
  const char* name = std::getenv("VELORANE_WINDOW_MANAGER");
  return name != nullptr && *name != 0;
}

bool ProgramDriver::windowsProgram() {
  const char* platform = std::getenv("VELORANE_PLATFORM");
  return platform != nullptr && std::strcmp(platform, "windows") == 0;
}

WindowGeometry ProgramDriver::frame(unsigned long window) {
  Display* display = static_cast<Display*>(display_);
  if (display == nullptr) return WindowGeometry{};
  Window top = window;
  for (;;) {
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, top, &root, &parent, &children, &count)) {
      ADD_FAILURE() << "cannot find the top-level window of window " << window;
      return WindowGeometry{};
    }
    if (children) XFree(children);
    if (parent == root) break;
    top = parent;
  }
  return geometry(top);
}

WindowGeometry ProgramDriver::screen() {
  Display* display = static_cast<Display*>(display_);
  if (display == nullptr) return WindowGeometry{};
  return geometry(DefaultRootWindow(display));
}

bool ProgramDriver::hasWmState(unsigned long window, const std::string& state) {
  Display* display = static_cast<Display*>(display_);
  if (display == nullptr) return false;
  const Atom property = XInternAtom(display, "_NET_WM_STATE", False);
  const Atom wanted = XInternAtom(display, state.c_str(), False);
  Atom type;
  int format;
  unsigned long count = 0, after;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(display, window, property, 0, 64, False, XA_ATOM, &type, &format,
                         &count, &after, &data) == Success &&
      data != nullptr && format == 32) {
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count; ++i) found = found || atoms[i] == wanted;
  }
  if (data) XFree(data);
  return found;
}

static std::string focus(unsigned long window) {
  return "windowfocus --sync " + std::to_string(window) + " ";
}

static std::string modifierCommand(const char* action, const std::vector<std::string>& mods) {
  std::string command;
  for (const std::string& m : mods) command += std::string(action) + " " + m + " ";
  return command;
}

bool ProgramDriver::key(unsigned long window, const std::string& keys) {
  return xdotool(focus(window) + "key " + keys);
}

bool ProgramDriver::keyWithModifiers(unsigned long window,
                                     const std::vector<std::string>& modifiers,
                                     const std::string& keys) {
  return xdotool(focus(window) + modifierCommand("keydown", modifiers) + "key " + keys + " " +
                 modifierCommand("keyup", modifiers));
}

// Without --sync: xdotool's wait for the pointer to move never ends when the
// pointer is already there.
static std::string moveCommand(unsigned long window, int x, int y) {
  return "mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
         std::to_string(y) + " ";
}

bool ProgramDriver::moveTo(unsigned long window, int x, int y) {
  return xdotool(moveCommand(window, x, y));
}

bool ProgramDriver::buttonDown(int button) {
  return xdotool("mousedown " + std::to_string(button));
}

bool ProgramDriver::buttonUp(int button) {
  return xdotool("mouseup " + std::to_string(button));
}

bool ProgramDriver::click(unsigned long window, int button, int x, int y) {
  return xdotool(moveCommand(window, x, y) + "click " + std::to_string(button));
}

bool ProgramDriver::resize(unsigned long window, int width, int height) {
  return xdotool("windowsize " + std::to_string(window) + " " + std::to_string(width) + " " +
                 std::to_string(height));
}

bool ProgramDriver::drag(unsigned long window, const std::vector<std::string>& modifiers,
                         int x0, int y0, int x1, int y1, int steps) {
  // One xdotool process for the whole gesture; the short pauses pace the
  // moves as a hand would, so each arrives as a motion of its own.
  std::string gesture = focus(window) + moveCommand(window, x0, y0) +
                        modifierCommand("keydown", modifiers) + "mousedown 1 ";
  for (int i = 1; i <= steps; ++i) {
    gesture += "sleep 0.02 " +
               moveCommand(window, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
  }
  gesture += "sleep 0.02 mouseup 1 " + modifierCommand("keyup", modifiers);
  return xdotool(gesture);
}

Image ProgramDriver::capture(unsigned long window) {
  Image image;
  if (!captureWindow(nullptr, window, &image)) image = Image{};
  return image;
}

int ProgramDriver::waitForExit(int timeoutMs) {
  if (pid_ <= 0) return status_;
  waitFor([&] { return !running(); }, timeoutMs);
  return pid_ <= 0 ? status_ : -1;
}

bool ProgramDriver::running() {
  if (pid_ <= 0) return false;
  int status = 0;
  const pid_t done = waitpid(pid_, &status, WNOHANG);
  if (done == pid_) {
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;
    return false;
  }
  return true;
}
