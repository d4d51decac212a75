// capture_window WINDOW-ID FILE.png: save the pixels of an X window as PNG.
#include <cstdio>
#include <cstdlib>

#include "tools/window_capture.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: capture_window WINDOW-ID FILE.png\n");
    return 2;
  }
  const unsigned long window = std::strtoul(argv[1], nullptr, 0);
  Image image;
  if (!captureWindow(nullptr, window, &image)) {
    std::fprintf(stderr, "capture_window: cannot read window %s\n", argv[1]);
    return 1;
  }
  if (!writePng(argv[2], image)) {
    std::fprintf(stderr, "capture_window: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
