// Arrows, rods, double arrows, line arrows and angle cones, judged through
// feedback mode (model coordinates one to one) and the modelview matrix and
// stack depth read back with glGet.
#include "geometry/arrows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "geometry/mesh.h"
#include "tests/support/gl_test.h"

namespace {

class Arrows : public GlTest {};

// Distance of a vertex from the z axis, or from the y axis.
double fromZAxis(const FeedbackVertex& v) { return std::hypot(v.x, v.y); }
double fromYAxis(const FeedbackVertex& v) { return std::hypot(v.x, v.z); }

// The lowest and highest value of `coordinate` among the vertices whose
// distance from an axis is near `radius`, with how many there are.
struct Band {
  int count = 0;
  double low = INFINITY, high = -INFINITY;
};
Band band(const std::vector<FeedbackVertex>& vertices,
          const std::function<double(const FeedbackVertex&)>& distance, double radius,
          float FeedbackVertex::*coordinate, double tolerance = 1e-4) {
  Band b;
  for (const FeedbackVertex& v : vertices) {
    if (std::fabs(distance(v) - radius) > tolerance) continue;
    ++b.count;
    b.low = std::fmin(b.low, v.*coordinate);
    b.high = std::fmax(b.high, v.*coordinate);
  }
  return b;
}

std::vector<FeedbackVertex> triangles(const std::function<void()>& draw) {
  return verticesOf(captureFeedback(draw), GL_POLYGON_TOKEN);
}

void expectSameFeedback(const std::vector<FeedbackPrimitive>& actual,
                        const std::vector<FeedbackPrimitive>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    ASSERT_EQ(actual[i].token, expected[i].token) << "primitive " << i;
    ASSERT_EQ(actual[i].vertices.size(), expected[i].vertices.size()) << "primitive " << i;
    for (size_t k = 0; k < actual[i].vertices.size(); ++k) {
      const FeedbackVertex& a = actual[i].vertices[k];
      const FeedbackVertex& e = expected[i].vertices[k];
      ASSERT_TRUE(a.x == e.x && a.y == e.y && a.z == e.z)
          << "primitive " << i << " vertex " << k << ": (" << a.x << ", " << a.y << ", " << a.z
          << ") instead of (" << e.x << ", " << e.y << ", " << e.z << ")";
    }
  }
}

// A rod drawn by hand: the line, then the cylinder under the given turn.
void referenceRod(float x, float y, float z, const std::function<void()>& turn) {
  glBegin(GL_LINES);
  {
    glVertex3f(0, 0, 0);
    glVertex3f(x, y, z);
  }
  glEnd();
  glPushMatrix();
  turn();
  const double len = std::pow(static_cast<double>(x * x + y * y + z * z), 0.5);
  glTranslatef(0, 0, static_cast<float>(len * 0.5));
  glRotatef(90, 1, 0, 0);
  drawCylinder(len, 0.5, 36);
  glPopMatrix();
}

TEST_F(Arrows, OrientationTurnsPlusZOntoTheVectorWithTheExactFloatAngle) {
  struct Case {
    const char* name;
    float x, y, z;
    std::function<void()> turn;
  };
  const Case cases[] = {
      // acos(0) in degrees with the double 3.14159, rounded to float.
      {"along +y", 0, 10, 0, [] { glRotatef(90.00007629394531f, -1, 0, 0); }},
      {"along -z", 0, 0, -10, [] { glRotatef(180, 1, 0, 0); }},
      {"along +z", 0, 0, 10, [] {}},
      // cz rounds to 1 in float: no turn, although the vector leans toward x.
      {"nearly +z", 0.001f, 0, 10, [] {}},
      // cz = 0.6: acos in degrees with 3.14159, axis (-y, x, 0) / len.
      {"general", 8, 0, 6,
       [] { glRotatef(static_cast<float>(std::acos(0.6) * 180.0 / 3.14159), -0.0f, 0.8f, 0); }},
  };
  EXPECT_EQ(90.00007629394531f, static_cast<float>(std::acos(0.0) * 180.0 / 3.14159));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto actual = captureFeedback([&] { drawRod(c.x, c.y, c.z, 0.5f); });
    const auto expected = captureFeedback([&] { referenceRod(c.x, c.y, c.z, c.turn); });
    expectSameFeedback(actual, expected);
  }
  // A turn of exactly 90 degrees would put the rod's end cap elsewhere.
  const auto actual = captureFeedback([] { drawRod(0, 10, 0, 0.5f); });
  const auto ninety =
      captureFeedback([] { referenceRod(0, 10, 0, [] { glRotatef(90, -1, 0, 0); }); });
  EXPECT_NE(verticesOf(actual, GL_POLYGON_TOKEN)[0].z,
            verticesOf(ninety, GL_POLYGON_TOKEN)[0].z);
}

// Each solid's vertices lie on bands about the vector's axis, a band being
// the vertices at one distance from it: the band's extent along the axis
// says where a shaft, a head's base or an apex lies. Every vertex is on one
// of the bands, and the line runs along the axis through the given points.
TEST_F(Arrows, ShaftsHeadsAndApexesLieOnTheirBands) {
  struct Extent {
    double radius, low, high;
  };
  const struct {
    const char* name;
    std::function<void()> draw;
    double (*distance)(const FeedbackVertex&);
    float FeedbackVertex::*along;
    std::vector<float> line;
    std::vector<Extent> bands;
  } cases[] = {
      {"rod to (0, 0, -10)",
       [] { drawRod(0, 0, -10, 0.5f); },
       fromZAxis,
       &FeedbackVertex::z,
       {0, -10},
       {{0.5, -10, 0}}},
      {"arrow to (0, 10, 0)",
       [] { drawArrow(0, 10, 0, 0.35f, 1.5f, 0.07f); },
       fromYAxis,
       &FeedbackVertex::y,
       {0, 10},
       {{0.07, 0, 8.5}, {0.35, 8.5, 8.5}, {0, 10, 10}}},
      // A head as long as the vector leaves a shaft of zero height.
      {"arrow to (0, 0, 2) with a head of 2",
       [] { drawArrow(0, 0, 2, 0.3f, 2, 0.1f); },
       fromZAxis,
       &FeedbackVertex::z,
       {0, 2},
       {{0.1, 0, 0}, {0.3, 0, 0}, {0, 2, 2}}},
      // Two arrows from the midpoint to either end.
      {"double arrow to (0, 0, 4)",
       [] { drawDoubleArrow(0, 0, 4, 0.5f, 1, 0.1f); },
       fromZAxis,
       &FeedbackVertex::z,
       {2, 4, 2, 0},
       {{0.1, 1, 3}, {0.5, 1, 3}, {0, 0, 4}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto primitives = captureFeedback(c.draw);
    const std::vector<FeedbackVertex> line = verticesOf(primitives, GL_LINE_TOKEN);
    ASSERT_EQ(line.size(), c.line.size());
    for (size_t i = 0; i < line.size(); ++i) {
      EXPECT_NEAR(line[i].*c.along, c.line[i], 1e-5) << "line vertex " << i;
      EXPECT_NEAR(c.distance(line[i]), 0, 1e-5) << "line vertex " << i;
    }
    const std::vector<FeedbackVertex> v = verticesOf(primitives, GL_POLYGON_TOKEN);
    int onBands = 0;
    for (const Extent& e : c.bands) {
      const Band b = band(v, c.distance, e.radius, c.along);
      EXPECT_GT(b.count, 0) << "band at " << e.radius;
      EXPECT_NEAR(b.low, e.low, 1e-4) << "band at " << e.radius;
      EXPECT_NEAR(b.high, e.high, 1e-4) << "band at " << e.radius;
      onBands += b.count;
    }
    EXPECT_EQ(onBands, static_cast<int>(v.size()));
  }
}

TEST_F(Arrows, ArrowApexIsTheEndOfAnObliqueVector) {
  const std::vector<FeedbackVertex> v = triangles([] { drawArrow(3, 4, 12, 0.5f, 2, 0.1f); });
  ASSERT_FALSE(v.empty());
  FeedbackVertex farthest = v[0];
  for (const FeedbackVertex& p : v) {
    if (std::hypot(p.x, p.y, p.z) > std::hypot(farthest.x, farthest.y, farthest.z))
      farthest = p;
  }
  EXPECT_NEAR(farthest.x, 3, 1e-4);
  EXPECT_NEAR(farthest.y, 4, 1e-4);
  EXPECT_NEAR(farthest.z, 12, 1e-4);
}

TEST_F(Arrows, AngleConeHasItsApexAtTheOriginAndBaseRadiusLenTimesTanHalfAngle) {
  // tan(45 / 180 x 3.141590118408203) = 0.9999987324100084, not 1: at length
  // 40 the rim lies 5e-5 inside 40, beyond the 1.5e-5 noise of feedback.
  const double radius = 0.9999987324100084 * 40;
  const auto primitives = captureFeedback([] { drawAngleCone(0, 0, 40, 45); });
  EXPECT_TRUE(verticesOf(primitives, GL_LINE_TOKEN).empty());
  const std::vector<FeedbackVertex> v = verticesOf(primitives, GL_POLYGON_TOKEN);
  const Band rim = band(v, fromZAxis, radius, &FeedbackVertex::z, 2e-5);
  const Band apex = band(v, fromZAxis, 0, &FeedbackVertex::z);
  EXPECT_EQ(rim.count + apex.count, static_cast<int>(v.size()));
  EXPECT_NEAR(rim.low, 40, 1e-4);
  EXPECT_NEAR(rim.high, 40, 1e-4);
  EXPECT_NEAR(apex.low, 0, 1e-4);
  EXPECT_NEAR(apex.high, 0, 1e-4);  // the base disc's centre is not a vertex
}

TEST_F(Arrows, AngleConeConvertsItsHalfAngleWithTheFloatPi) {
  // The float pi (3.141590118408203) against the double 3.14159 moves the rim
  // by a few float steps only: compare with the cone built by hand.
  const auto actual = captureFeedback([] { drawAngleCone(0, 0, 10, 80); });
  const auto expected = captureFeedback([] {
    glPushMatrix();
    glRotatef(90, 1, 0, 0);
    glRotatef(180, 0, 0, 1);
    glTranslatef(0, -5, 0);
    drawCone(10, std::tan(80 / 180.0 * 3.141590118408203) * 10, 120);
    glPopMatrix();
  });
  expectSameFeedback(actual, expected);
}

TEST_F(Arrows, LineArrowPutsGlutsConeOverTheLastHeadLength) {
  const auto primitives = captureFeedback([] { drawLineArrow(0, 10, 0, 0.5f, 2); });
  ASSERT_EQ(verticesOf(primitives, GL_LINE_TOKEN).size(), 2u);
  const std::vector<FeedbackVertex> v = verticesOf(primitives, GL_POLYGON_TOKEN);
  ASSERT_FALSE(v.empty());
  double low = INFINITY, high = -INFINITY, widest = 0;
  for (const FeedbackVertex& p : v) {
    low = std::fmin(low, p.y);
    high = std::fmax(high, p.y);
    widest = std::fmax(widest, fromYAxis(p));
  }
  EXPECT_NEAR(low, 8, 1e-4);
  EXPECT_NEAR(high, 10, 1e-4);
  EXPECT_NEAR(widest, 0.5, 1e-4);
}

// Every drawing function of the module, for one vector.
const std::vector<std::pair<const char*, std::function<void(float, float, float)>>>&
drawings() {
  static const std::vector<std::pair<const char*, std::function<void(float, float, float)>>>
      all = {
          {"arrow", [](float x, float y, float z) { drawArrow(x, y, z, 0.35f, 1.5f, 0.07f); }},
          {"rod", [](float x, float y, float z) { drawRod(x, y, z, 0.1f); }},
          {"line arrow",
           [](float x, float y, float z) { drawLineArrow(x, y, z, 0.35f, 1.5f); }},
          {"double arrow",
           [](float x, float y, float z) { drawDoubleArrow(x, y, z, 0.35f, 1.5f, 0.07f); }},
          {"angle cone", [](float x, float y, float z) { drawAngleCone(x, y, z, 30); }},
      };
  return all;
}

TEST_F(Arrows, EveryDrawingLeavesTheMatrixAndItsStackDepthAsFound) {
  const float vectors[][3] = {{0, 10, 0}, {0, 0, -10}, {0, 0, 10}, {3, -4, 12}, {0, 0, 0}};
  glTranslatef(1, 2, 3);
  glRotatef(30, 0, 1, 0);
  glPushMatrix();
  const std::array<float, 16> matrix = modelviewMatrix();
  const int depth = modelviewStackDepth();
  for (const auto& [name, draw] : drawings()) {
    for (const auto& v : vectors) {
      draw(v[0], v[1], v[2]);
      EXPECT_EQ(modelviewMatrix(), matrix)
          << name << " to " << v[0] << ", " << v[1] << ", " << v[2];
      EXPECT_EQ(modelviewStackDepth(), depth) << name;
      EXPECT_EQ(getInteger(GL_MATRIX_MODE), GL_MODELVIEW) << name;
    }
  }
  glPopMatrix();
}

// Whether a drawing issued a mesh or GLUT's cone: feedback drops primitives
// with not-a-number vertices, so the meshes are seen by the normals they set
// and GLUT's cone by the vertex array it points GL at.
bool issuedSolids(const std::function<void()>& draw) {
  static const float kMarker[3] = {0.25f, 0.5f, 0.75f};
  glNormal3fv(kMarker);
  glVertexPointer(3, GL_FLOAT, 0, kMarker);
  draw();
  float normal[4];
  glGetFloatv(GL_CURRENT_NORMAL, normal);
  void* pointer = nullptr;
  glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
  return normal[0] != kMarker[0] || normal[1] != kMarker[1] || normal[2] != kMarker[2] ||
         pointer != kMarker;
}

TEST_F(Arrows, ZeroVectorDrawsAtMostItsLineAndNoSolidWithoutDirection) {
  for (const auto& drawing : drawings()) {
    // Lambdas may not capture structured bindings in C++17: plain references.
    const auto& name = drawing.first;
    const auto& draw = drawing.second;
    ASSERT_TRUE(issuedSolids([&] { draw(0, 0, 1); })) << name;
    EXPECT_FALSE(issuedSolids([&] { draw(0, 0, 0); })) << name;
    const auto primitives = captureFeedback([&] { draw(0, 0, 0); });
    for (const FeedbackPrimitive& p : primitives) {
      EXPECT_TRUE(p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN)
          << name << " drew a primitive " << p.token << " that needs a direction";
      for (const FeedbackVertex& v : p.vertices) {
        EXPECT_TRUE(v.x == 0 && v.y == 0 && v.z == 0) << name;
      }
    }
  }
  // A vector whose float squares vanish has no usable direction either.
  EXPECT_FALSE(issuedSolids([] { drawArrow(1e-30f, 0, 0, 0.35f, 1.5f, 0.07f); }));
}

}  // namespace
