// Drives the real program the way a person does: starts `velorane` on the
// (virtual) display, finds its windows among those its own processes opened,
// sends keys, clicks and modified drags through the X server's input
// (xdotool, XTEST), captures windows and collects the exit status.
//
// Every input call checks what xdotool reports: a failure or a time-out fails
// the running test with the command and xdotool's output, and the call
// returns false. Waits are for the event itself (a window mapped, a picture
// drawn, a size reported, the process ended), polled and bounded.
//
// The program under test is the one this driver was built with, unless the
// environment names another:
//   VELORANE_PROGRAM    the program to start (e.g. a build for another platform)
//   VELORANE_LAUNCHER   words started before it, split on spaces (e.g. "wine");
//                       by default those of a cross build's emulator
//                       ("qemu-aarch64 -L /"), none in a native build
// and a pass of a build for another platform says which:
//   VELORANE_PLATFORM   "windows": a Windows build, under Wine
// and a pass that runs a window manager on the display says so:
//   VELORANE_WINDOW_MANAGER  its name (e.g. "openbox"); the driver fails the
//                       test when this and the display disagree
#pragma once

// Failures are reported to the running test. (Included here, before any
// Xlib header of the implementation, whose macros would break it.)
#include <gtest/gtest.h>
#include <sys/types.h>

#include <functional>
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
  ProgramDriver();
  ProgramDriver(const ProgramDriver&) = delete;
  ProgramDriver& operator=(const ProgramDriver&) = delete;
  // Kills the program and everything it started if it is still running.
  ~ProgramDriver();

  // Start the program with extra arguments; false when it cannot be started
  // (no process, or the program could not be executed).
  bool start(const std::vector<std::string>& arguments = {});
  // The X id of the window with exactly this title opened by the program or a
  // process it started, waiting up to timeoutMs (by default 10 s, or twice the
  // bound of waitFor where that is longer) for it to appear; 0 when there is none.
  unsigned long findWindow(const std::string& title, int timeoutMs = -1);
  // Wait until both windows are mapped and have drawn their first frames,
  // within timeoutMs (by default as findWindow's).
  bool waitForWindows(unsigned long* diagram, unsigned long* values, int timeoutMs = -1);
  // Wait until the program shows a window other than `diagram` and `values`
  // (its menu); its X id, or 0 when none appeared within timeoutMs.
  unsigned long waitForOtherWindow(unsigned long diagram, unsigned long values,
                                   int timeoutMs = -1);

  // Where the window is and its size, as the X server reports them; all
  // zero (and the test failed) when the window cannot be read.
  WindowGeometry geometry(unsigned long window);

  // Whether a window manager runs on the display (VELORANE_WINDOW_MANAGER):
  // it puts a frame around each window and places the frame where the
  // program asks, and it does full screen through _NET_WM_STATE.
  static bool windowManaged();
  // Whether the program under test is a Windows build (VELORANE_PLATFORM is
  // "windows"), run under Wine: Windows draws the frame around each window
  // itself, as no X window, and places that frame where the program asks.
  static bool windowsProgram();
  // The top-level window that holds `window`: the window manager's frame
  // around it, or the window itself on a bare X server; where it is and its
  // size.
  WindowGeometry frame(unsigned long window);
  // The screen's size (the root window).
  WindowGeometry screen();
  // Whether the window's _NET_WM_STATE holds the state named (e.g.
  // "_NET_WM_STATE_FULLSCREEN").
  bool hasWmState(unsigned long window, const std::string& state);

  // Press and release keys (xdotool key names, e.g. "4", "Escape",
  // "shift+Return", "ctrl+Right", "numbersign") with `window` focused.
  bool key(unsigned long window, const std::string& keys);
  // Hold the modifiers (e.g. {"shift"}) while the keys are typed, so the
  // program sees real modifier state.
  bool keyWithModifiers(unsigned long window, const std::vector<std::string>& modifiers,
                        const std::string& keys);
  // Drag with the left button from (x0, y0) to (x1, y1) in window pixels,
  // with the modifiers held, in `steps` moves.
  bool drag(unsigned long window, const std::vector<std::string>& modifiers, int x0, int y0,
            int x1, int y1, int steps = 4);
  // Move the pointer to (x, y) in the window; press, release or click a button.
  bool moveTo(unsigned long window, int x, int y);
  bool buttonDown(int button);
  bool buttonUp(int button);
  bool click(unsigned long window, int button, int x, int y);
  // Ask the X server to give the window this size.
  bool resize(unsigned long window, int width, int height);

  // Capture a window's pixels; an empty image when it cannot be read.
  Image capture(unsigned long window);
  // Poll `condition` every 10 ms until it holds, for at most timeoutMs (by
  // default 5 s, or VELORANE_WAIT_MS from the environment); whether it held.
  static bool waitFor(const std::function<bool()>& condition, int timeoutMs = -1);

  // Wait up to timeoutMs (by default the bound of waitFor) for the program to
  // end; its exit status, or -1 when it is still running, or 128 + the signal
  // when a signal ended it.
  int waitForExit(int timeoutMs = -1);
  bool running();
  pid_t pid() const { return pid_; }

  // Run a shell command and return what it printed on standard output.
  static std::string shell(const std::string& command);
  // Run one xdotool process with chained commands (e.g. "windowfocus --sync 42 key a
  // mousemove 10 10 click 3"): many events for the cost of one process, bounded
  // to 20 s. True when xdotool ran every command; otherwise the running test
  // fails with the command and xdotool's output.
  static bool xdotool(const std::string& commands);

  // The program's resident memory in kilobytes (VmRSS of /proc/PID/status), or -1
  // when it is not running.
  long residentKilobytes() const;

 private:
  // The windows titled `title` whose X client is the program or one of its
  // descendants.
  std::vector<unsigned long> windowsOfProgram(const std::string* title);

  pid_t pid_ = -1;
  int status_ = -1;
  void* display_ = nullptr;  // the driver's own X connection (Display*), for queries
};

// The command that starts the program under test: the launcher's words, then
// the program's path.
std::vector<std::string> programCommand();
