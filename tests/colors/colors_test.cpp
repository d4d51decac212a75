// Named colours: constants, the one slot per accessor, copies.
#include "colors/colors.h"

#include <gtest/gtest.h>

namespace {

void expectColor(const float* c, float r, float g, float b, float a) {
  EXPECT_EQ(c[0], r);
  EXPECT_EQ(c[1], g);
  EXPECT_EQ(c[2], b);
  EXPECT_EQ(c[3], a);
}

TEST(NamedColors, ConstantsHoldThePaletteWithAlphaOne) {
  struct Entry {
    const float* (*accessor)();
    float r, g, b;
  };
  const Entry palette[] = {
      {colorWhite, 1, 1, 1},
      {colorYellow, 1, 1, 0},
      {colorCyan, 0, 1, 1},
      {colorMagenta, 1, 0, 1},
      {colorRed, 1, 0, 0},
      {colorGreen, 0, 1, 0},
      {colorBlue, 0, 0, 1},
      {colorBlack, 0, 0, 0},
      {colorGrey10, 0.1f, 0.1f, 0.1f},
      {colorGrey25, 0.25f, 0.25f, 0.25f},
      {colorGrey50, 0.5f, 0.5f, 0.5f},
      {colorGrey75, 0.75f, 0.75f, 0.75f},
      {colorDarkYellow, 0.75f, 0.75f, 0},
      {colorOlive, 0.5f, 0.5f, 0},
      {colorDarkCyan, 0, 0.5f, 0.5f},
      {colorDarkMagenta, 0.5f, 0, 0.5f},
      {colorDarkRed, 0.5f, 0, 0},
      {colorDarkGreen, 0, 0.5f, 0},
      {colorDarkBlue, 0, 0, 0.5f},
      {colorTan, 0.8f, 0.6f, 0.4f},
      {colorPink, 1, 0.65f, 0.65f},
      {colorDarkPink, 0.6f, 0.25f, 0.25f},
      {colorLightBlue, 0.5f, 0.5f, 1},
      {colorSlateBlue, 0.25f, 0.25f, 0.5f},
  };
  for (const Entry& e : palette) {
    expectColor(e.accessor(), e.r, e.g, e.b, 1.0f);
    EXPECT_EQ(e.accessor(), e.accessor());
  }
}

TEST(NamedColors, AlphaAccessorsCopyTheirColourWithTheGivenAlpha) {
  struct Entry {
    const float* (*constant)();
    float* (*withAlpha)(float);
  };
  const Entry accessors[] = {
      {colorWhite, colorWhiteAlpha},
      {colorYellow, colorYellowAlpha},
      {colorCyan, colorCyanAlpha},
      {colorMagenta, colorMagentaAlpha},
      {colorRed, colorRedAlpha},
      {colorGreen, colorGreenAlpha},
      {colorBlue, colorBlueAlpha},
      {colorBlack, colorBlackAlpha},
      {colorGrey10, colorGrey10Alpha},
      {colorGrey25, colorGrey25Alpha},
      {colorGrey50, colorGrey50Alpha},
      {colorGrey75, colorGrey75Alpha},
      {colorDarkYellow, colorDarkYellowAlpha},
      {colorOlive, colorOliveAlpha},
      {colorDarkCyan, colorDarkCyanAlpha},
      {colorDarkMagenta, colorDarkMagentaAlpha},
      {colorDarkRed, colorDarkRedAlpha},
      {colorDarkGreen, colorDarkGreenAlpha},
      {colorDarkBlue, colorDarkBlueAlpha},
      {colorPink, colorPinkAlpha},
      {colorDarkPink, colorDarkPinkAlpha},
      {colorLightBlue, colorLightBlueAlpha},
      {colorSlateBlue, colorSlateBlueAlpha},
  };
  std::vector<const float*> slots;
  for (const Entry& e : accessors) {
    const float* c = e.constant();
    const float* slot = e.withAlpha(0.25f);
    expectColor(slot, c[0], c[1], c[2], 0.25f);
    EXPECT_EQ(c[3], 1.0f) << "the constant itself must keep alpha 1";
    slots.push_back(slot);
  }
  // 23 accessors, 23 distinct slots.
  for (size_t i = 0; i < slots.size(); ++i) {
    for (size_t j = i + 1; j < slots.size(); ++j) EXPECT_NE(slots[i], slots[j]);
  }
}

TEST(NamedColors, NextCallOfTheSameAccessorOverwritesItsSlotOnly) {
  float* first = colorWhiteAlpha(0.5f);
  float* yellow = colorYellowAlpha(0.3f);
  float* grey = colorGrey(0.3f, 1.0f);
  float* rgba = colorRGBA(0.1f, 0.2f, 0.3f, 0.4f);
  expectColor(first, 1, 1, 1, 0.5f);
  expectColor(yellow, 1, 1, 0, 0.3f);
  float* second = colorWhiteAlpha(0.2f);
  EXPECT_EQ(first, second);
  expectColor(first, 1, 1, 1, 0.2f);
  expectColor(yellow, 1, 1, 0, 0.3f);
  expectColor(grey, 0.3f, 0.3f, 0.3f, 1.0f);
  expectColor(rgba, 0.1f, 0.2f, 0.3f, 0.4f);
  expectColor(colorWhite(), 1, 1, 1, 1);
}

TEST(NamedColors, GreyAndRgbaStoreValuesUnclamped) {
  expectColor(colorGrey(2.0f, -1.0f), 2, 2, 2, -1);
  expectColor(colorRGBA(-1.0f, 5.0f, 0.5f, 9.0f), -1, 5, 0.5f, 9);
  EXPECT_NE(static_cast<const float*>(colorGrey(0, 0)), colorRGBA(0, 0, 0, 0));
}

TEST(NamedColors, CopiesAreIndependentHeapBlocks) {
  float* a = copyColor(colorRed());
  float* b = copyColor(colorRed());
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  expectColor(a, 1, 0, 0, 1);
  a[1] = 0.5f;
  expectColor(colorRed(), 1, 0, 0, 1);
  expectColor(b, 1, 0, 0, 1);
  releaseColor(a);
  releaseColor(b);
  releaseColor(nullptr);
}

}  // namespace

#include "tests/support/failing_alloc.h"

namespace {

TEST(NamedColors, CopyReportsAFailedAllocationWithNull) {
  callocFailAfter(0);
  float* copy = copyColor(colorRed());
  callocSucceedAlways();
  EXPECT_EQ(copy, nullptr);
}

}  // namespace
