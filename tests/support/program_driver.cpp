// The end-to-end program driver.
#include "tests/support/program_driver.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#ifndef VELORANE_PROGRAM
#error "VELORANE_PROGRAM must name the program under test"
#endif

std::string programPath() { return VELORANE_PROGRAM; }

static void sleepMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string ProgramDriver::shell(const std::string& command) {
  std::string output;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  pclose(pipe);
  return output;
}

bool ProgramDriver::xdotool(const std::string& commands) {
  const std::string command = "xdotool " + commands + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
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

ProgramDriver::~ProgramDriver() {
  if (running()) {
    kill(pid_, SIGKILL);
    waitForExit(2000);
  }
}

bool ProgramDriver::start(const std::vector<std::string>& arguments) {
  std::vector<std::string> words{programPath()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  pid_ = fork();
  if (pid_ < 0) return false;
  if (pid_ == 0) {
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  status_ = -1;
  return true;
}

unsigned long ProgramDriver::findWindow(const std::string& title, int timeoutMs) {
  const std::string command = "xdotool search --all --pid " + std::to_string(pid_) +
                              " --name '^" + title + "$' 2>/dev/null";
  for (int waited = 0; waited <= timeoutMs; waited += 100) {
    std::istringstream ids(shell(command));
    unsigned long id = 0;
    if (ids >> id) return id;
    // freeglut does not always set _NET_WM_PID; fall back to the title alone.
    std::istringstream any(shell("xdotool search --name '^" + title + "$' 2>/dev/null"));
    if (any >> id) return id;
    if (!running()) return 0;
    sleepMs(100);
  }
  return 0;
}

bool ProgramDriver::waitForWindows(unsigned long* diagram, unsigned long* values,
                                   int timeoutMs) {
  *diagram = findWindow("Velorane", timeoutMs);
  *values = findWindow("Valeurs", timeoutMs);
  settle(500);
  return *diagram != 0 && *values != 0;
}

WindowGeometry ProgramDriver::geometry(unsigned long window) {
  WindowGeometry g;
  std::istringstream lines(
      shell("xdotool getwindowgeometry --shell " + std::to_string(window) + " 2>/dev/null"));
  std::string line;
  while (std::getline(lines, line)) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string name = line.substr(0, eq);
    const int value = std::atoi(line.c_str() + eq + 1);
    if (name == "X") g.x = value;
    if (name == "Y") g.y = value;
    if (name == "WIDTH") g.width = value;
    if (name == "HEIGHT") g.height = value;
  }
  return g;
}

static std::string focus(unsigned long window) {
  return "xdotool windowfocus --sync " + std::to_string(window) + " 2>/dev/null; ";
}

void ProgramDriver::key(unsigned long window, const std::string& keys) {
  shell(focus(window) + "xdotool key " + keys + " 2>/dev/null");
}

static std::string modifierCommand(const char* action, const std::vector<std::string>& mods) {
  std::string command;
  for (const std::string& m : mods) command += std::string("xdotool ") + action + " " + m + "; ";
  return command;
}

void ProgramDriver::keyWithModifiers(unsigned long window,
                                     const std::vector<std::string>& modifiers,
                                     const std::string& keys) {
  shell(focus(window) + modifierCommand("keydown", modifiers) + "xdotool key " + keys + "; " +
        modifierCommand("keyup", modifiers) + " true 2>/dev/null");
}

void ProgramDriver::moveTo(unsigned long window, int x, int y) {
  // Without --sync: xdotool's wait for the pointer to move never ends well
  // when the pointer is already there.
  shell("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(x) +
        " " + std::to_string(y) + " 2>/dev/null");
  sleepMs(20);
}

void ProgramDriver::buttonDown(int button) {
  shell("xdotool mousedown " + std::to_string(button) + " 2>/dev/null");
}

void ProgramDriver::buttonUp(int button) {
  shell("xdotool mouseup " + std::to_string(button) + " 2>/dev/null");
}

void ProgramDriver::click(unsigned long window, int button, int x, int y) {
  moveTo(window, x, y);
  buttonDown(button);
  buttonUp(button);
}

void ProgramDriver::drag(unsigned long window, const std::vector<std::string>& modifiers,
                         int x0, int y0, int x1, int y1, int steps) {
  shell(focus(window) + " true");
  moveTo(window, x0, y0);
  shell(modifierCommand("keydown", modifiers) + " true 2>/dev/null");
  buttonDown(1);
  for (int i = 1; i <= steps; ++i) {
    moveTo(window, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    sleepMs(20);
  }
  buttonUp(1);
  shell(modifierCommand("keyup", modifiers) + " true 2>/dev/null");
}

Image ProgramDriver::capture(unsigned long window) {
  Image image;
  if (!captureWindow(nullptr, window, &image)) image = Image{};
  return image;
}

void ProgramDriver::settle(int milliseconds) { sleepMs(milliseconds); }

int ProgramDriver::waitForExit(int timeoutMs) {
  if (pid_ <= 0) return status_;
  for (int waited = 0; waited <= timeoutMs; waited += 20) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      pid_ = -1;
      return status_;
    }
    sleepMs(20);
  }
  return -1;
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
