// Capture of an X window's pixels as RGB, and PNG files of such captures.
// Used by the run command to save pictures of both windows and by the
// end-to-end tests to check what the program shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An RGB picture, rows from the top down, three bytes per pixel.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  // Red, green and blue of pixel (x, y), y counted from the top row.
  const std::uint8_t* pixel(int x, int y) const { return &rgb[3 * (y * width + x)]; }
};

// Capture the contents of window `window` on the display named by
// `displayName` (null: $DISPLAY). Returns false when the display or the
// window cannot be read.
bool captureWindow(const char* displayName, unsigned long window, Image* out);

// Write an image as an 8-bit RGB PNG file. Returns false on any I/O error.
bool writePng(const std::string& path, const Image& image);

// Read an 8-bit RGB or RGBA PNG file (alpha dropped). Returns false on error.
bool readPng(const std::string& path, Image* out);
