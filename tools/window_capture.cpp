// Window capture through Xlib's XGetImage, and PNG files through libpng.
#include "tools/window_capture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <cstdio>
#include <memory>

// Bits of one colour channel of a visual, as shift and width of its mask.
static void maskShape(unsigned long mask, int* shift, int* bits) {
  *shift = 0;
  *bits = 0;
  if (mask == 0) return;
  while ((mask & 1UL) == 0) {
    mask >>= 1;
    ++*shift;
  }
  while ((mask & 1UL) != 0) {
    mask >>= 1;
    ++*bits;
  }
}

// Scale a channel value of `bits` bits to 8 bits.
static std::uint8_t channel(unsigned long value, int shift, int bits, unsigned long mask) {
  const unsigned long v = (value & mask) >> shift;
  if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
  const unsigned long max = (1UL << bits) - 1;
  return static_cast<std::uint8_t>(max == 0 ? 0 : v * 255 / max);
}

// Set when the X server refuses a request of ours (a window that is gone or
// not viewable), instead of Xlib's default of ending the process.
static bool xRequestFailed = false;
static int noteXError(Display*, XErrorEvent*) {
  xRequestFailed = true;
  return 0;
}

bool captureWindow(const char* displayName, unsigned long window, Image* out) {
  Display* display = XOpenDisplay(displayName);
  if (display == nullptr) return false;
  xRequestFailed = false;
  XErrorHandler previous = XSetErrorHandler(noteXError);
  XWindowAttributes attributes;
  bool ok = XGetWindowAttributes(display, window, &attributes) != 0 &&
            attributes.map_state == IsViewable;
  XImage* image = nullptr;
  if (ok) {
    image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes,
                      ZPixmap);
    XSync(display, False);
    ok = image != nullptr && !xRequestFailed;
  }
  if (ok) {
    int rShift, rBits, gShift, gBits, bShift, bBits;
    maskShape(image->red_mask, &rShift, &rBits);
    maskShape(image->green_mask, &gShift, &gBits);
    maskShape(image->blue_mask, &bShift, &bBits);
    out->width = attributes.width;
    out->height = attributes.height;
    out->rgb.assign(static_cast<size_t>(3) * out->width * out->height, 0);
    for (int y = 0; y < out->height; ++y) {
      for (int x = 0; x < out->width; ++x) {
        const unsigned long p = XGetPixel(image, x, y);
        std::uint8_t* dst = &out->rgb[3 * (static_cast<size_t>(y) * out->width + x)];
        dst[0] = channel(p, rShift, rBits, image->red_mask);
        dst[1] = channel(p, gShift, gBits, image->green_mask);
        dst[2] = channel(p, bShift, bBits, image->blue_mask);
      }
    }
  }
  if (image != nullptr) XDestroyImage(image);
  XSetErrorHandler(previous);
  XCloseDisplay(display);
  return ok;
}

bool writePng(const std::string& path, const Image& image) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool ok = info != nullptr;
  if (ok && setjmp(png_jmpbuf(png)) != 0) ok = false;
  if (ok) {
    png_init_io(png, file);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
      png_write_row(png, image.rgb.data() + 3 * static_cast<size_t>(y) * image.width);
    }
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && ok;
}

bool readPng(const std::string& path, Image* out) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&png, path.c_str()) == 0) return false;
  png.format = PNG_FORMAT_RGB;
  out->width = static_cast<int>(png.width);
  out->height = static_cast<int>(png.height);
  out->rgb.assign(PNG_IMAGE_SIZE(png), 0);
  const bool ok = png_image_finish_read(&png, nullptr, out->rgb.data(), 0, nullptr) != 0;
  png_image_free(&png);
  return ok;
}
