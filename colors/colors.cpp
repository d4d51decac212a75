// Named colours: constant palette entries, one reusable slot per alpha
// accessor, grey and free colours, and heap copies. Builds on nothing.
#include "colors/colors.h"

#include <cstdlib>

// The palette, alpha 1, in storage order.
static const Color4 kWhite = {1.0f, 1.0f, 1.0f, 1.0f};
static const Color4 kYellow = {1.0f, 1.0f, 0.0f, 1.0f};
static const Color4 kCyan = {0.0f, 1.0f, 1.0f, 1.0f};
static const Color4 kMagenta = {1.0f, 0.0f, 1.0f, 1.0f};
static const Color4 kRed = {1.0f, 0.0f, 0.0f, 1.0f};
static const Color4 kGreen = {0.0f, 1.0f, 0.0f, 1.0f};
static const Color4 kBlue = {0.0f, 0.0f, 1.0f, 1.0f};
static const Color4 kBlack = {0.0f, 0.0f, 0.0f, 1.0f};
static const Color4 kGrey10 = {0.1f, 0.1f, 0.1f, 1.0f};
static const Color4 kGrey25 = {0.25f, 0.25f, 0.25f, 1.0f};
static const Color4 kGrey50 = {0.5f, 0.5f, 0.5f, 1.0f};
static const Color4 kGrey75 = {0.75f, 0.75f, 0.75f, 1.0f};
static const Color4 kDarkYellow = {0.75f, 0.75f, 0.0f, 1.0f};
static const Color4 kOlive = {0.5f, 0.5f, 0.0f, 1.0f};
static const Color4 kDarkCyan = {0.0f, 0.5f, 0.5f, 1.0f};
static const Color4 kDarkMagenta = {0.5f, 0.0f, 0.5f, 1.0f};
static const Color4 kDarkRed = {0.5f, 0.0f, 0.0f, 1.0f};
static const Color4 kDarkGreen = {0.0f, 0.5f, 0.0f, 1.0f};
static const Color4 kDarkBlue = {0.0f, 0.0f, 0.5f, 1.0f};
static const Color4 kTan = {0.8f, 0.6f, 0.4f, 1.0f};
static const Color4 kPink = {1.0f, 0.65f, 0.65f, 1.0f};
static const Color4 kDarkPink = {0.6f, 0.25f, 0.25f, 1.0f};
static const Color4 kLightBlue = {0.5f, 0.5f, 1.0f, 1.0f};
static const Color4 kSlateBlue = {0.25f, 0.25f, 0.5f, 1.0f};

// Slots of colorGrey and colorRGBA, rewritten by every call of their accessor.
static Color4 greySlot;
static Color4 rgbaSlot;

// Copy red, green and blue of a constant into a slot, with the given alpha.
static float* fillSlot(Color4 slot, const Color4 color, float alpha) {
  slot[0] = color[0];
  slot[1] = color[1];
  slot[2] = color[2];
  slot[3] = alpha;
  return slot;
}

// One constant accessor, and one alpha accessor with a slot of its own.
#define VELORANE_COLOR(Name, constant)            \
  const float* color##Name() { return constant; } \
  float* color##Name##Alpha(float alpha) {        \
    static Color4 slot;                           \
    return fillSlot(slot, constant, alpha);       \
  }

VELORANE_COLOR(White, kWhite)
VELORANE_COLOR(Yellow, kYellow)
VELORANE_COLOR(Cyan, kCyan)
VELORANE_COLOR(Magenta, kMagenta)
VELORANE_COLOR(Red, kRed)
VELORANE_COLOR(Green, kGreen)
VELORANE_COLOR(Blue, kBlue)
VELORANE_COLOR(Black, kBlack)
VELORANE_COLOR(Grey10, kGrey10)
VELORANE_COLOR(Grey25, kGrey25)
VELORANE_COLOR(Grey50, kGrey50)
VELORANE_COLOR(Grey75, kGrey75)
VELORANE_COLOR(DarkYellow, kDarkYellow)
VELORANE_COLOR(Olive, kOlive)
VELORANE_COLOR(DarkCyan, kDarkCyan)
VELORANE_COLOR(DarkMagenta, kDarkMagenta)
VELORANE_COLOR(DarkRed, kDarkRed)
VELORANE_COLOR(DarkGreen, kDarkGreen)
VELORANE_COLOR(DarkBlue, kDarkBlue)
VELORANE_COLOR(Pink, kPink)
VELORANE_COLOR(DarkPink, kDarkPink)
VELORANE_COLOR(LightBlue, kLightBlue)
VELORANE_COLOR(SlateBlue, kSlateBlue)

#undef VELORANE_COLOR

// The one colour without an alpha accessor.
const float* colorTan() { return kTan; }

float* colorGrey(float level, float alpha) {
  greySlot[0] = level;
  greySlot[1] = level;
  greySlot[2] = level;
  greySlot[3] = alpha;
  return greySlot;
}

float* colorRGBA(float red, float green, float blue, float alpha) {
  rgbaSlot[0] = red;
  rgbaSlot[1] = green;
  rgbaSlot[2] = blue;
  rgbaSlot[3] = alpha;
  return rgbaSlot;
}

float* copyColor(const float* color) {
  float* copy = static_cast<float*>(std::calloc(4, sizeof(float)));
  if (copy == nullptr) return nullptr;
  for (int i = 0; i < 4; ++i) copy[i] = color[i];
  return copy;
}

void releaseColor(float* color) { std::free(color); }
