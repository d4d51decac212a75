// Faceted cylinder and cone: immediate-mode meshes on the y axis from which
// the arrows and rods are built. Each call samples a ring of facets + 1 points
// into heap arrays, draws and frees them; nothing survives between calls.
// Builds on OpenGL only.
#include "geometry/mesh.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

// pi as the double 3.14159 used to space the samples around the ring, so the
// closing facet is a little wider than the others.
static const double kRingPi = 3.14159;

// Tolerance of nearlyEqual, on the single-precision difference.
static const double kNearlyEqualTolerance = 1e-05;

// The samples of one ring, facets + 1 of each, the last equal to the first.
struct SampleRing {
  double* c;  // cosine of the sample angle
  double* s;  // sine of the sample angle
  double* x;  // x of the rim vertex, model units
  double* z;  // z of the rim vertex, model units
};

// Free the arrays of a ring; arrays that were never allocated are null.
static void releaseSampleRing(SampleRing* ring) {
  std::free(ring->c);
  std::free(ring->s);
  std::free(ring->x);
  std::free(ring->z);
  *ring = SampleRing{nullptr, nullptr, nullptr, nullptr};
}

// Allocate and fill the ring of `facets` facets (>= 0). Returns 1, or 0 with
// nothing left allocated when an allocation fails.
static int buildSampleRing(double radius, int facets, SampleRing* ring) {
  const size_t count = static_cast<size_t>(facets) + 1;
  ring->c = static_cast<double*>(std::calloc(count, sizeof(double)));
  ring->s = static_cast<double*>(std::calloc(count, sizeof(double)));
  ring->x = static_cast<double*>(std::calloc(count, sizeof(double)));
  ring->z = static_cast<double*>(std::calloc(count, sizeof(double)));
  if (ring->c == nullptr || ring->s == nullptr || ring->x == nullptr || ring->z == nullptr) {
    releaseSampleRing(ring);
    return 0;
  }
  // Samples 0 and facets are set, not computed, so the ring closes exactly.
  ring->c[0] = ring->c[facets] = 1.0;
  ring->s[0] = ring->s[facets] = 0.0;
  ring->x[0] = ring->x[facets] = radius;
  ring->z[0] = ring->z[facets] = 0.0;
  const double step = (kRingPi / static_cast<double>(facets)) * 2.0;
  for (int i = 1; i < facets; ++i) {
    const double theta = step * static_cast<double>(i);
    ring->c[i] = std::cos(theta);
    ring->s[i] = std::sin(theta);
    ring->x[i] = ring->c[i] * radius;
    ring->z[i] = radius * ring->s[i];
  }
  return 1;
}

// One flat cap or base disc at height y, its rim in order of growing angle.
static void drawRingPolygon(const SampleRing* ring, int facets, double y, float normalY) {
  glBegin(GL_POLYGON);
  {
    glNormal3f(0.0f, normalY, 0.0f);
    for (int i = 0; i < facets; ++i) glVertex3d(ring->x[i], y, ring->z[i]);
  }
  glEnd();
}

void drawCylinder(double height, double radius, int facets) {
  if (facets < 0) facets = 0;
  SampleRing ring;
  if (!buildSampleRing(radius, facets, &ring)) return;
  const double top = height * 0.5;
  const double bottom = height * -0.5;
  drawRingPolygon(&ring, facets, top, 1.0f);
  drawRingPolygon(&ring, facets, bottom, -1.0f);
  glBegin(GL_QUADS);
  {
    for (int i = 0; i < facets; ++i) {
      glNormal3d(ring.c[i], 0.0, ring.s[i]);
      glVertex3d(ring.x[i], top, ring.z[i]);
      glNormal3d(ring.c[i + 1], 0.0, ring.s[i + 1]);
      glVertex3d(ring.x[i + 1], top, ring.z[i + 1]);
      glVertex3d(ring.x[i + 1], bottom, ring.z[i + 1]);
      glNormal3d(ring.c[i], 0.0, ring.s[i]);
      glVertex3d(ring.x[i], bottom, ring.z[i]);
    }
  }
  glEnd();
  releaseSampleRing(&ring);
}

void drawCone(double height, double radius, int facets) {
  if (facets < 0) facets = 0;
  SampleRing ring;
  if (!buildSampleRing(radius, facets, &ring)) return;
  const double apex = height * 0.5;
  const double bottom = height * -0.5;
  drawRingPolygon(&ring, facets, bottom, -1.0f);
  // Each side quad has both upper corners at the apex: it renders as a triangle.
  glBegin(GL_QUADS);
  {
    for (int i = 0; i < facets; ++i) {
      glNormal3d(ring.c[i], 0.0, ring.s[i]);
      glVertex3d(0.0, apex, 0.0);
      glNormal3d(ring.c[i + 1], 0.0, ring.s[i + 1]);
      glVertex3d(0.0, apex, 0.0);
      glVertex3d(ring.x[i + 1], bottom, ring.z[i + 1]);
      glNormal3d(ring.c[i], 0.0, ring.s[i]);
      glVertex3d(ring.x[i], bottom, ring.z[i]);
    }
  }
  glEnd();
  releaseSampleRing(&ring);
}

int nearlyEqual(float a, float b) {
  const float difference = a - b;
  return std::fabs(static_cast<double>(difference)) < kNearlyEqualTolerance ? 1 : 0;
}
