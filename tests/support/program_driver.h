// Drives the real program the way a person does: starts `velorane` on the
// (virtual) display, finds its windows by title, sends keys, clicks and
// modified drags through the X server's input (xdotool), captures windows and
// collects the exit status.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "tools/window_capture.h"

// Position and size of a window on the screen, in pixels.
struct WindowGeometry {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class ProgramDriver {
 public:
  ProgramDriver() = default;
  ProgramDriver(const ProgramDriver&) = delete;
  ProgramDriver& operator=(const ProgramDriver&) = delete;
  // Kills the program if it is still running.
  ~ProgramDriver();

  // Start the program with extra arguments; false when it cannot be started.
  bool start(const std::vector<std::string>& arguments = {});
  // The X id of the program's window with exactly this title, waiting up to
  // timeoutMs for it to appear; 0 when there is none.
  unsigned long findWindow(const std::string& title, int timeoutMs = 10000);
  // Wait until both windows exist and have drawn their first frames.
  bool waitForWindows(unsigned long* diagram, unsigned long* values, int timeoutMs = 10000);

  WindowGeometry geometry(unsigned long window);

  // Press and release keys (xdotool key names, e.g. "4", "Escape",
  // "shift+Return", "ctrl+Right", "numbersign") with `window` focused.
  void key(unsigned long window, const std::string& keys);
  // Hold the modifiers (e.g. {"shift"}) while the keys are typed, so the
  // program sees real modifier state.
  void keyWithModifiers(unsigned long window, const std::vector<std::string>& modifiers,
                        const std::string& keys);
  // Drag with the left button from (x0, y0) to (x1, y1) in window pixels,
  // with the modifiers held, in `steps` moves.
  void drag(unsigned long window, const std::vector<std::string>& modifiers, int x0, int y0,
            int x1, int y1, int steps = 4);
  // Move the pointer to (x, y) in the window and press or release a button.
  void moveTo(unsigned long window, int x, int y);
  void buttonDown(int button);
  void buttonUp(int button);
  void click(unsigned long window, int button, int x, int y);

  // Capture a window's pixels; an empty image when it cannot be read.
  Image capture(unsigned long window);
  // Let the program draw what the last events asked for.
  void settle(int milliseconds = 300);

  // Wait up to timeoutMs for the program to end; its exit status, or -1 when
  // it is still running, or 128 + the signal when a signal ended it.
  int waitForExit(int timeoutMs = 5000);
  bool running();
  pid_t pid() const { return pid_; }

  // Run a shell command and return what it printed on standard output.
  static std::string shell(const std::string& command);
  // Run one xdotool process with chained commands (e.g. "windowfocus --sync 42 key a
  // mousemove 10 10 click 3"): many events for the cost of one process. True when
  // xdotool ran every command.
  static bool xdotool(const std::string& commands);

  // The program's resident memory in kilobytes (VmRSS of /proc/PID/status), or -1
  // when it is not running.
  long residentKilobytes() const;

 private:
  pid_t pid_ = -1;
  int status_ = -1;
};

// The full path of the program under test.
std::string programPath();
