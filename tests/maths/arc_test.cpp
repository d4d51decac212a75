// Arcs and angle marks, judged by what OpenGL's feedback mode reports: the
// vertices of the arc, the order and shape of the arrow heads, the degenerate
// sweeps; and the exact figures of the midpoints.
#include "maths/arc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "tests/support/gl_test.h"

namespace {

const double kPi = 3.141592653589793;

// Feedback passes vertices through the viewport transform in float.
const float kTolerance = 1e-4f;

// Half-size of the feedback cube, room for arcs of radius 14 and their heads.
const float kExtent = 16.0f;

struct Point {
  double x, y, z;
};

using Segment = std::pair<FeedbackVertex, FeedbackVertex>;

// The line segments that feedback reported, in order, whether the context
// marks them GL_LINE_TOKEN or GL_LINE_RESET_TOKEN.
std::vector<Segment> segmentsOf(const std::vector<FeedbackPrimitive>& primitives) {
  std::vector<Segment> segments;
  for (const FeedbackPrimitive& p : primitives) {
    if (p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN) {
      segments.emplace_back(p.vertices[0], p.vertices[1]);
    }
  }
  return segments;
}

// The vertices of a strip of `count` segments starting at segments[first].
std::vector<FeedbackVertex> stripOf(const std::vector<Segment>& segments, size_t first,
                                    size_t count) {
  std::vector<FeedbackVertex> vertices;
  if (count == 0) return vertices;
  vertices.push_back(segments[first].first);
  for (size_t k = first; k < first + count; ++k) {
    EXPECT_EQ(segments[k].first.x, vertices.back().x) << "strip broken at segment " << k;
    vertices.push_back(segments[k].second);
  }
  return vertices;
}

Point scaled(const Vector4& v, double factor) {
  return {v.x * factor, v.y * factor, v.z * factor};
}

// v turned by `degrees` about the direction from a toward b (right-hand rule
// about a x b), computed in double.
Point turnedToward(const Point& v, const Vector4& a, const Vector4& b, double degrees) {
  double kx = a.y * static_cast<double>(b.z) - a.z * static_cast<double>(b.y);
  double ky = a.z * static_cast<double>(b.x) - a.x * static_cast<double>(b.z);
  double kz = a.x * static_cast<double>(b.y) - a.y * static_cast<double>(b.x);
  const double length = std::sqrt(kx * kx + ky * ky + kz * kz);
  kx /= length;
  ky /= length;
  kz /= length;
  const double t = degrees * kPi / 180.0;
  const double c = std::cos(t);
  const double s = std::sin(t);
  const double along = (kx * v.x + ky * v.y + kz * v.z) * (1 - c);
  return {v.x * c + (ky * v.z - kz * v.y) * s + kx * along,
          v.y * c + (kz * v.x - kx * v.z) * s + ky * along,
          v.z * c + (kx * v.y - ky * v.x) * s + kz * along};
}

// Angle between two unit-ish directions in degrees, in double.
double degreesBetween(const Vector4& a, const Vector4& b) {
  const double d = a.x * static_cast<double>(b.x) + a.y * static_cast<double>(b.y) +
                   a.z * static_cast<double>(b.z);
  const double la = std::sqrt(a.x * static_cast<double>(a.x) + a.y * static_cast<double>(a.y) +
                              a.z * static_cast<double>(a.z));
  const double lb = std::sqrt(b.x * static_cast<double>(b.x) + b.y * static_cast<double>(b.y) +
                              b.z * static_cast<double>(b.z));
  return std::acos(d / (la * lb)) * 180.0 / kPi;
}

double length(const FeedbackVertex& v) {
  return std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.y) * v.y +
                   static_cast<double>(v.z) * v.z);
}

void expectAt(const FeedbackVertex& v, const Point& p, double tolerance = kTolerance) {
  EXPECT_NEAR(v.x, p.x, tolerance);
  EXPECT_NEAR(v.y, p.y, tolerance);
  EXPECT_NEAR(v.z, p.z, tolerance);
}

void expectSameVertex(const FeedbackVertex& a, const FeedbackVertex& b) {
  EXPECT_EQ(a.x, b.x);
  EXPECT_EQ(a.y, b.y);
  EXPECT_EQ(a.z, b.z);
}

void expectFinite(const std::vector<FeedbackPrimitive>& primitives) {
  for (const FeedbackPrimitive& p : primitives) {
    for (const FeedbackVertex& v : p.vertices) {
      EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
    }
  }
}

const Vector4 kUp{0, 1, 0, 0};
const Vector4 kRight{1, 0, 0, 0};
const Vector4 kRay{0.48f, 0.6f, 0.64f, 0};  // unit length, 53.13 degrees from kUp

class Arc : public GlTest {};

TEST_F(Arc, DiagramArcHasItsVerticesOnTheCircleAndItsEndHeadEightDegreesBack) {
  const int depth = modelviewStackDepth();
  const auto primitives =
      captureFeedback([] { drawArc(&kUp, &kRay, 30, 7, 1, kArcHeadAtEnd, 8, 0.5f); }, kExtent);
  EXPECT_EQ(modelviewStackDepth(), depth);
  const std::vector<Segment> segments = segmentsOf(primitives);
  ASSERT_EQ(segments.size(), 32u);

  const double sweep = degreesBetween(kUp, kRay);
  const std::vector<FeedbackVertex> arc = stripOf(segments, 0, 30);
  ASSERT_EQ(arc.size(), 31u);
  for (int i = 0; i <= 30; ++i) {
    SCOPED_TRACE(testing::Message() << "vertex " << i);
    EXPECT_NEAR(length(arc[i]), 7.0, kTolerance);
    expectAt(arc[i], turnedToward(scaled(kUp, 7), kUp, kRay, i * sweep / 30));
  }
  expectAt(arc[30], scaled(kRay, 7));

  // The head: tip at the last vertex, barbs outside and inside, 8 degrees back.
  expectSameVertex(segments[30].first, arc[30]);
  expectSameVertex(segments[31].first, arc[30]);
  EXPECT_NEAR(length(segments[30].second), 7.5, kTolerance);
  EXPECT_NEAR(length(segments[31].second), 6.5, kTolerance);
  expectAt(segments[30].second, turnedToward(scaled(kUp, 7.5), kUp, kRay, sweep - 8));
  expectAt(segments[31].second, turnedToward(scaled(kUp, 6.5), kUp, kRay, sweep - 8));
}

TEST_F(Arc, StartHeadPointsBackFromTheStartOfTheArc) {
  const auto primitives =
      captureFeedback([] { drawArc(&kUp, &kRay, 10, 7, 1, kArcHeadAtStart, 12, 2); }, kExtent);
  const std::vector<Segment> segments = segmentsOf(primitives);
  ASSERT_EQ(segments.size(), 12u);
  expectAt(segments[10].first, {0, 7, 0});
  expectAt(segments[11].first, {0, 7, 0});
  expectAt(segments[10].second, turnedToward(scaled(kUp, 9), kUp, kRay, 12));
  expectAt(segments[11].second, turnedToward(scaled(kUp, 5), kUp, kRay, 12));
}

TEST_F(Arc, HeadModeChoosesTheHeadsAndDrawsTheEndHeadFirst) {
  const Point start = scaled(kUp, 7);
  const Point end = scaled(kRay, 7);
  const struct {
    int mode;
    std::vector<Point> tips;
  } cases[] = {{kArcHeadNone, {}},
               {kArcHeadAtStart, {start, start}},
               {kArcHeadAtEnd, {end, end}},
               {kArcHeadAtBothEnds, {end, end, start, start}},
               {4, {}},
               {-1, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "head mode " << c.mode);
    const int mode = c.mode;
    const auto segments = segmentsOf(
        captureFeedback([mode] { drawArc(&kUp, &kRay, 4, 7, 1, mode, 8, 0.5f); }, kExtent));
    ASSERT_EQ(segments.size(), 4 + c.tips.size());
    for (size_t k = 0; k < c.tips.size(); ++k) expectAt(segments[4 + k].first, c.tips[k]);
  }
}

TEST_F(Arc, PointsModeDrawsEachVertexAsAPoint) {
  const auto strip = stripOf(
      segmentsOf(captureFeedback([] { drawPlainArc(&kUp, &kRay, 5, 7, 1); }, kExtent)), 0, 5);
  const auto points = verticesOf(
      captureFeedback([] { drawPlainArc(&kUp, &kRay, 5, 7, 0); }, kExtent), GL_POINT_TOKEN);
  ASSERT_EQ(points.size(), 6u);
  for (size_t i = 0; i < points.size(); ++i) expectSameVertex(points[i], strip[i]);
}

// The sweep angle comes from angleBetween, whose degrees use pi as the float
// 3.14159, while the rotation turns them back into radians with the double pi:
// a right angle overshoots to 90.00007629394531 degrees, 1.5707976583754417
// radians. The overshoot (y = -9.3e-6 at radius 7) is below what feedback
// resolves, so a modelview scale of 1e5 along y magnifies it; the end vertex is
// drawn as a point and every other vertex falls outside the cube.
TEST_F(Arc, RightAngleOvershootsByTheRatioOfTheTwoPis) {
  const float sweep = 90.00007629394531f;
  EXPECT_EQ((static_cast<double>(sweep) / 180.0) * kPi, 1.5707976583754417);
  const double rad = 1.5707976583754417;
  // About the axis (0, 0, -1) the start (0, 7, 0) turns to (7 s, 7 c, 0).
  const float endX = 7.0f * static_cast<float>(std::sin(rad));
  const float endY = 7.0f * static_cast<float>(std::cos(rad));
  EXPECT_NEAR(endY, -9.32e-6f, 1e-8f);
  for (const int count : {1, 30}) {
    SCOPED_TRACE(testing::Message() << count << " segments");
    glLoadIdentity();
    glScalef(1, 1e5f, 1);
    const auto points = verticesOf(
        captureFeedback([count] { drawPlainArc(&kUp, &kRight, count, 7, 0); }, kExtent),
        GL_POINT_TOKEN);
    glLoadIdentity();
    ASSERT_EQ(points.size(), 1u);
    EXPECT_NEAR(points[0].x, endX, kTolerance);
    EXPECT_NEAR(points[0].y, endY * 1e5f, kTolerance);
    EXPECT_NEAR(points[0].z, 0.0f, kTolerance);
  }
}

TEST_F(Arc, SegmentCountsZeroAndBelowStillDrawTheHeads) {
  // One segment: a single chord between the ends.
  auto segments = segmentsOf(
      captureFeedback([] { drawArc(&kUp, &kRay, 1, 7, 1, kArcHeadNone, 8, 0.5f); }, kExtent));
  ASSERT_EQ(segments.size(), 1u);
  expectAt(segments[0].first, scaled(kUp, 7));
  expectAt(segments[0].second, scaled(kRay, 7));

  // No segment: the start point alone (not a 0 / 0 angle), heads as asked.
  auto primitives = captureFeedback(
      [] { drawArc(&kUp, &kRay, 0, 7, 0, kArcHeadAtBothEnds, 8, 0.5f); }, kExtent);
  expectFinite(primitives);
  const auto points = verticesOf(primitives, GL_POINT_TOKEN);
  ASSERT_EQ(points.size(), 1u);
  expectAt(points[0], {0, 7, 0});
  segments = segmentsOf(primitives);
  ASSERT_EQ(segments.size(), 4u);
  expectAt(segments[0].first, scaled(kRay, 7));
  expectAt(segments[2].first, scaled(kUp, 7));
  primitives =
      captureFeedback([] { drawArc(&kUp, &kRay, 0, 7, 1, kArcHeadAtEnd, 8, 0.5f); }, kExtent);
  expectFinite(primitives);
  EXPECT_EQ(segmentsOf(primitives).size(), 2u);

  // A negative count: an empty block, heads still drawn.
  for (const int asLineStrip : {0, 1}) {
    primitives = captureFeedback(
        [asLineStrip] { drawArc(&kUp, &kRay, -3, 7, asLineStrip, kArcHeadAtEnd, 8, 0.5f); },
        kExtent);
    EXPECT_TRUE(verticesOf(primitives, GL_POINT_TOKEN).empty());
    segments = segmentsOf(primitives);
    ASSERT_EQ(segments.size(), 2u);
    expectAt(segments[0].first, scaled(kRay, 7));
  }
}

TEST_F(Arc, ParallelDirectionsFoldOntoTheLineOfFrom) {
  const Vector4 twiceUp{0, 2, 0, 0};
  const auto segments = segmentsOf(captureFeedback(
      [&] { drawArc(&kUp, &twiceUp, 3, 7, 1, kArcHeadAtEnd, 8, 0.5f); }, kExtent));
  ASSERT_EQ(segments.size(), 5u);
  expectAt(segments[0].first, {0, 7, 0});
  for (size_t k = 0; k < 3; ++k) {
    expectSameVertex(segments[k].first, segments[0].first);
    expectSameVertex(segments[k].second, segments[0].first);
  }
  const double c = std::cos(8.0 / 180.0 * kPi);
  expectSameVertex(segments[3].first, segments[0].first);
  expectAt(segments[3].second, {0, 7.5 * c, 0});
  expectAt(segments[4].second, {0, 6.5 * c, 0});

  Vector4 mid{9, 9, 9, 9};
  arcMidpoint(&kUp, &twiceUp, 7, &mid);
  EXPECT_EQ(mid.x, 0.0f);
  EXPECT_EQ(mid.y, 7.0f);
  EXPECT_EQ(mid.z, 0.0f);
  EXPECT_EQ(mid.w, 0.0f);
}

TEST_F(Arc, OppositeDirectionsCollapseOntoTheDiameter) {
  const Vector4 down{0, -1, 0, 0};
  const float sweep = 180.00015258789062f;
  const auto arc = stripOf(
      segmentsOf(captureFeedback([&] { drawPlainArc(&kUp, &down, 6, 7, 1); }, kExtent)), 0, 6);
  ASSERT_EQ(arc.size(), 7u);
  for (int i = 0; i <= 6; ++i) {
    SCOPED_TRACE(testing::Message() << "vertex " << i);
    const float a = (static_cast<float>(i) * sweep) / 6.0f;
    const float c = static_cast<float>(std::cos((static_cast<double>(a) / 180.0) * kPi));
    expectAt(arc[i], {0, c * 7.0f, 0});
  }
}

TEST_F(Arc, LongerFromScalesTheRadius) {
  const Vector4 twiceUp{0, 2, 0, 0};
  const auto arc = stripOf(
      segmentsOf(captureFeedback([&] { drawPlainArc(&twiceUp, &kRay, 8, 7, 1); }, kExtent)), 0,
      8);
  ASSERT_EQ(arc.size(), 9u);
  for (const FeedbackVertex& v : arc) EXPECT_NEAR(length(v), 14.0, kTolerance);
  expectAt(arc.back(), scaled(kRay, 14));
}

TEST_F(Arc, AroundAndAtTipMoveEveryVertex) {
  const Vector4 centre{1, -2, 3, 1};
  const auto plain = stripOf(
      segmentsOf(captureFeedback([] { drawPlainArc(&kUp, &kRay, 6, 3, 1); }, kExtent)), 0, 6);
  const auto around =
      stripOf(segmentsOf(captureFeedback([&] { drawArcAround(&kUp, &kRay, &centre, 6, 3, 1); },
                                         kExtent)),
              0, 6);
  const auto atTip = stripOf(
      segmentsOf(captureFeedback([] { drawArcAtTip(&kUp, &kRay, 6, 3, 1); }, kExtent)), 0, 6);
  ASSERT_EQ(plain.size(), 7u);
  ASSERT_EQ(around.size(), 7u);
  ASSERT_EQ(atTip.size(), 7u);
  for (size_t i = 0; i < plain.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "vertex " << i);
    expectAt(around[i], {plain[i].x + 1.0, plain[i].y - 2.0, plain[i].z + 3.0});
    expectAt(atTip[i], {plain[i].x + kUp.x, plain[i].y + kUp.y, plain[i].z + kUp.z});
  }
  // At the tip the arc starts on the prolongation of from.
  expectAt(atTip[0], scaled(kUp, 4));
}

TEST(ArcMidpoint, RightAngleMidpointKeepsTheFloatHalfAngle) {
  // Half of 90.00007629394531 in float, turned into radians with the double pi.
  const float half = 90.00007629394531f * 0.5f;
  const double rad = (static_cast<double>(half) / 180.0) * kPi;
  const float s = static_cast<float>(std::sin(rad));
  const float c = static_cast<float>(std::cos(rad));
  Vector4 mid{9, 9, 9, 9};
  arcMidpoint(&kUp, &kRight, 7, &mid);
  EXPECT_EQ(mid.x, 7.0f * s);
  EXPECT_EQ(mid.y, 7.0f * c);
  EXPECT_EQ(mid.z, 0.0f);
  EXPECT_EQ(mid.w, 0.0f);
}

TEST(ArcMidpoint, StaysADirectionForInfiniteOrNaNInput) {
  const float infinity = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Vector4 nanFrom{nan, 1, 0, 0};
  const struct {
    const Vector4* from;
    float radius;
  } cases[] = {{&kUp, infinity}, {&kUp, -infinity}, {&kUp, nan}, {&nanFrom, 7}};
  for (const auto& c : cases) {
    Vector4 mid{9, 9, 9, 9};
    arcMidpoint(c.from, &kRight, c.radius, &mid);
    EXPECT_EQ(mid.w, 0.0f) << c.radius;
  }
}

TEST(ArcMidpoint, VariantsAddTheCentreOrFrom) {
  Vector4 mid;
  arcMidpoint(&kUp, &kRay, 7, &mid);
  const Point expected = turnedToward(scaled(kUp, 7), kUp, kRay, degreesBetween(kUp, kRay) / 2);
  EXPECT_NEAR(mid.x, expected.x, 1e-5);
  EXPECT_NEAR(mid.y, expected.y, 1e-5);
  EXPECT_NEAR(mid.z, expected.z, 1e-5);
  EXPECT_EQ(mid.w, 0.0f);

  const Vector4 centre{1.5f, -2.25f, 3, 1};
  Vector4 around{9, 9, 9, 9};
  arcMidpointAround(&kUp, &kRay, &centre, 7, &around);
  EXPECT_EQ(around.x, mid.x + 1.5f);
  EXPECT_EQ(around.y, mid.y - 2.25f);
  EXPECT_EQ(around.z, mid.z + 3.0f);
  EXPECT_EQ(around.w, 0.0f);

  const Vector4 from{0, 2, 0, 1};
  Vector4 longMid;
  Vector4 atTip{9, 9, 9, 9};
  arcMidpoint(&from, &kRay, 7, &longMid);
  arcMidpointAtTip(&from, &kRay, 7, &atTip);
  EXPECT_EQ(atTip.x, longMid.x);
  EXPECT_EQ(atTip.y, longMid.y + 2.0f);
  EXPECT_EQ(atTip.z, longMid.z);
  EXPECT_EQ(atTip.w, 0.0f);
}

}  // namespace
