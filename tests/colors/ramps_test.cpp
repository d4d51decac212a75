// Colour ramps: corners and steps of the rainbow, the grey scale, fresh
// blocks per call, and no leak when an allocation fails.
#include "colors/ramps.h"

#include <gtest/gtest.h>

#include "tests/support/failing_alloc.h"

namespace {

void expectEntry(const float* c, float r, float g, float b) {
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c[0], r);
  EXPECT_EQ(c[1], g);
  EXPECT_EQ(c[2], b);
  EXPECT_EQ(c[3], 1.0f);
}

TEST(RainbowRamp, SegmentBoundariesAreTheSixCorners) {
  ColorRamp ramp = rainbowRamp();
  ASSERT_NE(ramp, nullptr);
  const struct {
    int index;
    float r, g, b;
  } corners[] = {{0, 0, 1, 0},   {51, 0, 1, 1},  {102, 0, 0, 1},
                 {153, 1, 0, 1}, {204, 1, 0, 0}, {255, 1, 1, 0}};
  for (const auto& corner : corners) {
    SCOPED_TRACE(corner.index);
    expectEntry(ramp[corner.index], corner.r, corner.g, corner.b);
  }
  releaseColorRamp(ramp);
}

TEST(RainbowRamp, FirstStepsAfterCyanAndRedAreOneFiftyFirst) {
  ColorRamp ramp = rainbowRamp();
  ASSERT_NE(ramp, nullptr);
  expectEntry(ramp[52], 0.0f, 1.0f - 1.0f / 51.0f, 1.0f);
  expectEntry(ramp[205], 1.0f, 1.0f / 51.0f, 0.0f);
  releaseColorRamp(ramp);
}

TEST(RainbowRamp, EachSegmentMovesOneComponentByOneFiftyFirstPerEntry) {
  ColorRamp ramp = rainbowRamp();
  ASSERT_NE(ramp, nullptr);
  // Each segment by the indices of its two corners, with the component that
  // moves and the direction it moves in.
  const struct {
    int from, to, component, direction;
  } segments[] = {{0, 51, 2, +1},
                  {51, 102, 1, -1},
                  {102, 153, 0, +1},
                  {153, 204, 2, -1},
                  {204, 255, 1, +1}};
  for (const auto& s : segments) {
    for (int i = s.from + 1; i <= s.to; ++i) {
      SCOPED_TRACE(i);
      for (int c = 0; c < 4; ++c) {
        const float step = ramp[i][c] - ramp[i - 1][c];
        if (c == s.component) {
          EXPECT_EQ(step > 0.0f ? 1 : -1, s.direction);
          EXPECT_NEAR(step * static_cast<float>(s.direction), 1.0f / 51.0f, 1e-6f);
        } else {
          EXPECT_EQ(step, 0.0f) << "component " << c;
        }
      }
    }
  }
  releaseColorRamp(ramp);
}

TEST(GreyRamp, RunsFromBlackToWhiteInStepsOfOne255th) {
  ColorRamp ramp = greyRamp();
  ASSERT_NE(ramp, nullptr);
  expectEntry(ramp[0], 0.0f, 0.0f, 0.0f);
  expectEntry(ramp[51], 0.2f, 0.2f, 0.2f);
  expectEntry(ramp[255], 1.0f, 1.0f, 1.0f);
  for (int i = 0; i < kColorRampSize; ++i) {
    const float level = static_cast<float>(i) / 255.0f;
    ASSERT_EQ(ramp[i][0], level) << i;
    ASSERT_EQ(ramp[i][1], level) << i;
    ASSERT_EQ(ramp[i][2], level) << i;
    ASSERT_EQ(ramp[i][3], 1.0f) << i;
  }
  releaseColorRamp(ramp);
}

TEST(ColorRamps, EveryCallBuildsSeparateBlocksWithEqualValues) {
  for (ColorRamp (*build)() : {rainbowRamp, greyRamp}) {
    ColorRamp first = build();
    ColorRamp second = build();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    for (int i = 0; i < kColorRampSize; ++i) {
      ASSERT_NE(first[i], second[i]) << i;
      for (int c = 0; c < 4; ++c) ASSERT_EQ(first[i][c], second[i][c]) << i;
    }
    // Distinct entries within one ramp too: each is a block of its own.
    EXPECT_NE(first[0], first[1]);
    releaseColorRamp(first);
    releaseColorRamp(second);
  }
}

TEST(ColorRamps, ReleaseFreesTheArrayAndAllEntries) {
  callocSucceedAlways();
  const int before = callocBlocksLive();
  ColorRamp ramp = rainbowRamp();
  ASSERT_NE(ramp, nullptr);
  EXPECT_EQ(callocBlocksLive(), before + 257);
  // An entry released on its own and nulled is skipped.
  releaseColor(ramp[7]);
  ramp[7] = nullptr;
  releaseColorRamp(ramp);
  EXPECT_EQ(callocBlocksLive(), before);
  releaseColorRamp(nullptr);
}

TEST(ColorRamps, FailedAllocationReturnsNullAndLeaksNothing) {
  for (ColorRamp (*build)() : {rainbowRamp, greyRamp}) {
    // Allocation number n fails: 0 is the array, 1 to 256 the entries.
    for (int n = 0; n <= kColorRampSize; ++n) {
      SCOPED_TRACE(n);
      callocSucceedAlways();
      const int before = callocBlocksLive();
      callocFailAfter(n);
      ColorRamp ramp = build();
      const int obtained = callocCount();
      callocSucceedAlways();
      EXPECT_EQ(ramp, nullptr);
      EXPECT_EQ(obtained, n);
      EXPECT_EQ(callocBlocksLive(), before);
      releaseColorRamp(ramp);
    }
  }
}

}  // namespace
