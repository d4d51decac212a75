// Colour ramps: the rainbow and grey scales of the palette, each a heap array
// of 256 separately allocated colour blocks so that any entry can be handed
// on and released like a copy from copyColor. Builds on the named colours
// (releaseColor frees an entry).
#include "colors/ramps.h"

#include <cstdlib>

// Steps from one corner of the colour cube to the next in the rainbow.
constexpr float kSegmentSteps = 51.0f;

// Highest entry index, the divisor of the grey scale.
constexpr float kGreyTop = 255.0f;

// A zero-filled array of the ramp's pointers, or null.
static ColorRamp allocateRamp() {
  return static_cast<ColorRamp>(std::calloc(kColorRampSize, sizeof(float*)));
}

// A new colour block holding (red, green, blue, 1), or null.
static float* allocateEntry(float red, float green, float blue) {
  float* color = static_cast<float*>(std::calloc(4, sizeof(float)));
  if (color == nullptr) return nullptr;
  color[0] = red;
  color[1] = green;
  color[2] = blue;
  color[3] = 1.0f;
  return color;
}

// The rainbow's red, green and blue at index i.
static void rainbowColor(int i, float* red, float* green, float* blue) {
  if (i <= 51) {  // green towards cyan: blue rises
    *red = 0.0f;
    *green = 1.0f;
    *blue = static_cast<float>(i) / kSegmentSteps;
  } else if (i <= 102) {  // towards blue: green falls
    *red = 0.0f;
    *green = 1.0f - static_cast<float>(i - 51) / kSegmentSteps;
    *blue = 1.0f;
  } else if (i <= 153) {  // towards magenta: red rises
    *red = static_cast<float>(i - 102) / kSegmentSteps;
    *green = 0.0f;
    *blue = 1.0f;
  } else if (i <= 204) {  // towards red: blue falls
    *red = 1.0f;
    *green = 0.0f;
    *blue = 1.0f - static_cast<float>(i - 153) / kSegmentSteps;
  } else {  // towards yellow: green rises
    *red = 1.0f;
    *green = static_cast<float>(i - 204) / kSegmentSteps;
    *blue = 0.0f;
  }
}

ColorRamp rainbowRamp() {
  ColorRamp ramp = allocateRamp();
  if (ramp == nullptr) return nullptr;
  for (int i = 0; i < kColorRampSize; ++i) {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    rainbowColor(i, &red, &green, &blue);
    ramp[i] = allocateEntry(red, green, blue);
    if (ramp[i] == nullptr) {
      releaseColorRamp(ramp);
      return nullptr;
    }
  }
  return ramp;
}

ColorRamp greyRamp() {
  ColorRamp ramp = allocateRamp();
  if (ramp == nullptr) return nullptr;
  for (int i = 0; i < kColorRampSize; ++i) {
    const float level = static_cast<float>(i) / kGreyTop;
    ramp[i] = allocateEntry(level, level, level);
    if (ramp[i] == nullptr) {
      releaseColorRamp(ramp);
      return nullptr;
    }
  }
  return ramp;
}

void releaseColorRamp(ColorRamp ramp) {
  if (ramp == nullptr) return;
  for (int i = 0; i < kColorRampSize; ++i) releaseColor(ramp[i]);
  std::free(ramp);
}
