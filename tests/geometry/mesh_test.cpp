// Faceted cylinder and cone, judged by what the GL context reports: polygon
// outlines through feedback mode (GL_LINE polygon mode keeps each polygon's
// vertex cycle, one GL_LINE_RESET_TOKEN per polygon), the current normal, and
// the calloc wrappers for the sample arrays.
#include "geometry/mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/failing_alloc.h"
#include "tests/support/gl_test.h"

namespace {

struct Point {
  double x, y, z;
};
using Ring = std::vector<Point>;

class Mesh : public GlTest {};

// The polygons a mesh issues, each as its cycle of vertices in model units.
// The modelview is an exact axis permutation (model z onto window y) so that
// the rim's z keeps full float precision instead of passing through depth.
// Polygons of fewer than three vertices are not reported by GL.
std::vector<Ring> outlines(const std::function<void()>& draw) {
  static const float kSwapYZ[16] = {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1};
  glLoadMatrixf(kSwapYZ);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  const std::vector<FeedbackPrimitive> lines = captureFeedback(draw);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glLoadIdentity();
  std::vector<Ring> rings;
  for (const FeedbackPrimitive& p : lines) {
    if (p.token == GL_LINE_RESET_TOKEN) rings.emplace_back();
    EXPECT_FALSE(rings.empty()) << "an edge outside any polygon";
    if (rings.empty()) continue;
    const FeedbackVertex& v = p.vertices[0];
    rings.back().push_back(Point{v.x, -v.z, v.y});
  }
  return rings;
}

bool near(const Point& a, const Point& b, double tolerance) {
  return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance &&
         std::fabs(a.z - b.z) <= tolerance;
}

// Whether `actual` is `expected` as a cycle (any starting vertex, same order).
bool sameCycle(const Ring& actual, const Ring& expected, double tolerance = 2e-5) {
  if (actual.size() != expected.size()) return false;
  const size_t n = expected.size();
  for (size_t start = 0; start < n; ++start) {
    bool all = true;
    for (size_t i = 0; i < n && all; ++i) {
      all = near(actual[(start + i) % n], expected[i], tolerance);
    }
    if (all) return true;
  }
  return n == 0;
}

// Rim sample i of a ring of `facets`, spaced with pi as the double 3.14159.
Point rim(double radius, int facets, int i, double y) {
  if (i == 0 || i == facets) return Point{radius, y, 0.0};
  const double theta = ((3.14159 / facets) * 2) * i;
  return Point{std::cos(theta) * radius, y, radius * std::sin(theta)};
}

Ring cap(double radius, int facets, double y) {
  Ring ring;
  for (int i = 0; i < facets; ++i) ring.push_back(rim(radius, facets, i, y));
  return ring;
}

std::array<float, 4> currentNormal() {
  std::array<float, 4> n{};
  glGetFloatv(GL_CURRENT_NORMAL, n.data());
  return n;
}

TEST_F(Mesh, CylinderIssuesTopCapBottomCapThenOneQuadPerFacet) {
  const double radius = 30, height = 8;
  const std::vector<Ring> rings = outlines([&] { drawCylinder(height, radius, 36); });
  ASSERT_EQ(rings.size(), 2u + 36u);
  EXPECT_TRUE(sameCycle(rings[0], cap(radius, 36, 4)));
  EXPECT_TRUE(sameCycle(rings[1], cap(radius, 36, -4)));
  for (int i = 0; i < 36; ++i) {
    const Ring quad = {rim(radius, 36, i, 4), rim(radius, 36, i + 1, 4),
                       rim(radius, 36, i + 1, -4), rim(radius, 36, i, -4)};
    EXPECT_TRUE(sameCycle(rings[2 + i], quad)) << "side quad " << i;
  }
}

TEST_F(Mesh, ConeIssuesBaseDiscThenQuadsWithBothUpperCornersAtTheApex) {
  const double radius = 20, height = 6;
  const std::vector<Ring> rings = outlines([&] { drawCone(height, radius, 36); });
  ASSERT_EQ(rings.size(), 1u + 36u);
  EXPECT_TRUE(sameCycle(rings[0], cap(radius, 36, -3)));
  const Point apex{0, 3, 0};
  for (int i = 0; i < 36; ++i) {
    const Ring quad = {apex, apex, rim(radius, 36, i + 1, -3), rim(radius, 36, i, -3)};
    EXPECT_TRUE(sameCycle(rings[1 + i], quad)) << "side quad " << i;
  }
}

TEST_F(Mesh, RingIsSpacedWithTheDouble314159AndClosesExactlyOnSampleZero) {
  const double radius = 50;
  for (auto draw : {drawCylinder, drawCone}) {
    const std::vector<Ring> rings = outlines([&] { draw(2, radius, 36); });
    ASSERT_FALSE(rings.empty());
    const Ring& base = rings[draw == drawCylinder ? 1 : 0];
    ASSERT_EQ(base.size(), 36u);
    // Sample 9 lies just past +z: x = 50 cos(0.5 x 3.14159) = 6.63e-5, not 0.
    EXPECT_NEAR(base[9].x, 50 * std::cos(9 * (3.14159 / 36 * 2)), 1e-5);
    EXPECT_GT(base[9].x, 3e-5);
    // The last quad ends on sample 36, which is sample 0 to the bit (both rim
    // corners for the cylinder, the one rim corner for the cone).
    const Ring& first = rings.size() == 38 ? rings[2] : rings[1];
    const Ring& last = rings.back();
    int matches = 0;
    for (const Point& p : last) {
      for (const Point& q : first) {
        if (p.x == q.x && p.y == q.y && p.z == q.z && p.z == 0.0 && p.x == radius) ++matches;
      }
    }
    EXPECT_EQ(matches, draw == drawCylinder ? 2 : 1)
        << "closing edge of the last quad is not sample 0 exactly";
  }
}

TEST_F(Mesh, DegenerateFacetCountsIssueWhatGlCanShow) {
  // GL drops polygons of fewer than three vertices, so the caps of 1 and 2
  // facets and every block of 0 facets leave no outline.
  const Point t0{1, 1, 0}, b0{1, -1, 0};
  const Point tPi = rim(1, 2, 1, 1), bPi = rim(1, 2, 1, -1);
  struct Case {
    int facets;
    std::vector<Ring> cylinder;
  };
  const Case cases[] = {
      {0, {}},
      {1, {{t0, t0, b0, b0}}},
      {2, {{t0, tPi, bPi, b0}, {tPi, t0, b0, bPi}}},
      {4,
       {cap(1, 4, 1),
        cap(1, 4, -1),
        {t0, {0, 1, 1}, {0, -1, 1}, b0},
        {{0, 1, 1}, {-1, 1, 0}, {-1, -1, 0}, {0, -1, 1}},
        {{-1, 1, 0}, {0, 1, -1}, {0, -1, -1}, {-1, -1, 0}},
        {{0, 1, -1}, t0, b0, {0, -1, -1}}}},
  };
  for (const Case& c : cases) {
    const std::vector<Ring> rings = outlines([&] { drawCylinder(2, 1, c.facets); });
    ASSERT_EQ(rings.size(), c.cylinder.size()) << c.facets << " facets";
    for (size_t i = 0; i < rings.size(); ++i) {
      EXPECT_TRUE(sameCycle(rings[i], c.cylinder[i])) << c.facets << " facets, polygon " << i;
    }
  }
}

TEST_F(Mesh, ZeroFacetsStillIssueTheCapsAndNegativeCountsActAsZero) {
  // With no vertices the blocks are invisible to feedback; the cap normal
  // issued inside the last cap block is what the context still shows.
  for (int facets : {0, -1, -7}) {
    glNormal3f(0.25f, 0.5f, 0.75f);
    const int live = callocBlocksLive();
    EXPECT_TRUE(outlines([&] { drawCylinder(2, 1, facets); }).empty());
    EXPECT_EQ(currentNormal()[1], -1.0f) << facets << " facets";
    glNormal3f(0.25f, 0.5f, 0.75f);
    EXPECT_TRUE(outlines([&] { drawCone(2, 1, facets); }).empty());
    EXPECT_EQ(currentNormal()[1], -1.0f) << facets << " facets";
    EXPECT_EQ(callocBlocksLive(), live);
  }
}

TEST_F(Mesh, SideNormalsAreRadialAndNothingButTheNormalChanges) {
  glTranslatef(1, 2, 3);
  const std::array<float, 16> matrix = modelviewMatrix();
  glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
  drawCylinder(2, 1, 4);
  // The last normal issued is that of sample 3 of 4: (cos, 0, sin) of 3/2 pi.
  const std::array<float, 4> n = currentNormal();
  EXPECT_NEAR(n[0], std::cos(3 * (3.14159 / 4 * 2)), 1e-6);
  EXPECT_EQ(n[1], 0.0f);
  EXPECT_NEAR(n[2], -1.0, 1e-6);
  drawCone(2, 1, 4);
  EXPECT_EQ(currentNormal(), n);
  EXPECT_EQ(modelviewMatrix(), matrix);
  EXPECT_EQ(getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
  float color[4];
  glGetFloatv(GL_CURRENT_COLOR, color);
  EXPECT_EQ(color[2], 0.3f);
  EXPECT_FALSE(isEnabled(GL_LIGHTING));
}

TEST_F(Mesh, EachCallAllocatesFourArraysAndFreesThem) {
  for (auto draw : {drawCylinder, drawCone}) {
    const int live = callocBlocksLive();
    callocSucceedAlways();
    draw(2, 1, 36);
    EXPECT_EQ(callocCount(), 4);
    EXPECT_EQ(callocBlocksLive(), live);
  }
}

TEST_F(Mesh, FailedAllocationDrawsNothingAndLeaksNothing) {
  for (auto draw : {drawCylinder, drawCone}) {
    for (int successes = 0; successes < 4; ++successes) {
      const int live = callocBlocksLive();
      glNormal3f(0.25f, 0.5f, 0.75f);
      callocFailAfter(successes);
      const std::vector<Ring> rings = outlines([&] { draw(2, 1, 36); });
      callocSucceedAlways();
      EXPECT_TRUE(rings.empty()) << "after " << successes << " successful callocs";
      EXPECT_EQ(currentNormal()[0], 0.25f) << "a cap was issued";
      EXPECT_EQ(callocBlocksLive(), live) << "after " << successes << " successful callocs";
    }
  }
}

TEST(NearlyEqual, IsAStrictToleranceOnTheFloatDifference) {
  struct Case {
    float a, b;
    int expected;
  };
  const Case cases[] = {
      {1.0f, 1.000001f, 1},    {1.0f, 1.00001f, 0},  // difference 1.0013580322265625e-05
      {-1.0f, -1.0f, 1},       {0.0f, 2e-5f, 0},
      {0.0f, -1e-5f, 1},  // the float 1e-5 is below 1e-05
      {NAN, NAN, 0},           {1.0f, NAN, 0},
      {INFINITY, INFINITY, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nearlyEqual(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(nearlyEqual(c.b, c.a), c.expected) << c.b << " vs " << c.a;
  }
}

}  // namespace
