// Arcs marking the angle between two directions, and their midpoints. Builds
// on the vector operations (angleBetween gives the sweep and its axis) and on
// the matrices (each arc point is the start vector turned by a fresh
// matrixRotation). Nothing is kept between calls.
#include "maths/arc.h"

#include <GL/gl.h>

#include "maths/matrix.h"

// The sweep of an arc: its start vector and the rotation that carries it.
struct ArcSweep {
  Vector4 start;  // radius * from, w = 0 (scene units)
  Vector4 axis;   // the cross product of the normalised directions
  float angle;    // degrees from start to end
};

// Sweep of the arc from `from` toward `to` at `radius`.
static ArcSweep arcSweep(const Vector4* from, const Vector4* to, float radius) {
  ArcSweep sweep;
  sweep.angle = angleBetween(from, to, &sweep.axis);
  sweep.start = Vector4{radius * from->x, radius * from->y, radius * from->z, 0.0f};
  return sweep;
}

// v turned by `angle` degrees about the sweep's axis.
static Vector4 turned(const ArcSweep* sweep, float angle, const Vector4* v) {
  Matrix4 rotation;
  matrixRotation(&rotation, angle, sweep->axis.x, sweep->axis.y, sweep->axis.z);
  Vector4 out;
  matrixTimesVector(&rotation, v, &out);
  return out;
}

// Angle of vertex i of `segments`, in degrees. With no segment the arc is its
// start point alone, at angle 0 rather than 0 / 0.
static float vertexAngle(const ArcSweep* sweep, long long i, int segments) {
  if (segments == 0) return 0.0f;
  return (static_cast<float>(i) * sweep->angle) / static_cast<float>(segments);
}

// Draw the vertices of the arc, each moved by `offset` when it is not null.
static void drawArcVertices(const ArcSweep* sweep, const Vector4* offset, int segments,
                            int asLineStrip) {
  glBegin(asLineStrip ? GL_LINE_STRIP : GL_POINTS);
  {
    // A wide counter: with segments at INT_MAX an int would overflow at the end.
    for (long long i = 0; i <= segments; ++i) {
      Vector4 p = turned(sweep, vertexAngle(sweep, i, segments), &sweep->start);
      if (offset) {
        p.x = p.x + offset->x;
        p.y = p.y + offset->y;
        p.z = p.z + offset->z;
      }
      glVertex3fv(&p.x);
    }
  }
  glEnd();
}

// Draw one arrow head: from `tip` to the barbs `outer` and `inner` turned by
// `barbAngle` degrees.
static void drawHead(const ArcSweep* sweep, const Vector4* tip, float barbAngle,
                     const Vector4* outer, const Vector4* inner) {
  const Vector4 a = turned(sweep, barbAngle, outer);
  const Vector4 b = turned(sweep, barbAngle, inner);
  glBegin(GL_LINES);
  {
    glVertex3fv(&tip->x);
    glVertex3fv(&a.x);
    glVertex3fv(&tip->x);
    glVertex3fv(&b.x);
  }
  glEnd();
}

// Middle of the arc about the origin.
static Vector4 midpoint(const Vector4* from, const Vector4* to, float radius) {
  const ArcSweep sweep = arcSweep(from, to, radius);
  return turned(&sweep, sweep.angle * 0.5f, &sweep.start);
}

void drawArc(const Vector4* from, const Vector4* to, int segments, float radius,
             int asLineStrip, int headMode, float headAngle, float headSize) {
  const ArcSweep sweep = arcSweep(from, to, radius);
  drawArcVertices(&sweep, nullptr, segments, asLineStrip);
  if (headMode == kArcHeadNone) return;

  const float outerRadius = radius + headSize;
  const float innerRadius = radius - headSize;
  const Vector4 outer{outerRadius * from->x, outerRadius * from->y, outerRadius * from->z,
                      0.0f};
  const Vector4 inner{innerRadius * from->x, innerRadius * from->y, innerRadius * from->z,
                      0.0f};
  if (headMode == kArcHeadAtEnd || headMode == kArcHeadAtBothEnds) {
    const Vector4 tip = turned(&sweep, sweep.angle, &sweep.start);
    drawHead(&sweep, &tip, sweep.angle - headAngle, &outer, &inner);
  }
  if (headMode == kArcHeadAtStart || headMode == kArcHeadAtBothEnds) {
    drawHead(&sweep, &sweep.start, headAngle, &outer, &inner);
  }
}

void drawPlainArc(const Vector4* from, const Vector4* to, int segments, float radius,
                  int asLineStrip) {
  const ArcSweep sweep = arcSweep(from, to, radius);
  drawArcVertices(&sweep, nullptr, segments, asLineStrip);
}

void drawArcAround(const Vector4* from, const Vector4* to, const Vector4* centre, int segments,
                   float radius, int asLineStrip) {
  const ArcSweep sweep = arcSweep(from, to, radius);
  drawArcVertices(&sweep, centre, segments, asLineStrip);
}

void drawArcAtTip(const Vector4* from, const Vector4* to, int segments, float radius,
                  int asLineStrip) {
  const ArcSweep sweep = arcSweep(from, to, radius);
  drawArcVertices(&sweep, from, segments, asLineStrip);
}

void arcMidpoint(const Vector4* from, const Vector4* to, float radius, Vector4* out) {
  // The rotation's last row gives w = 0 * x + 0 * y + 0 * z + 0, which is NaN for an
  // infinite or NaN start point; the midpoint is a direction whatever the input.
  const Vector4 mid = midpoint(from, to, radius);
  *out = Vector4{mid.x, mid.y, mid.z, 0.0f};
}

void arcMidpointAround(const Vector4* from, const Vector4* to, const Vector4* centre,
                       float radius, Vector4* out) {
  const Vector4 mid = midpoint(from, to, radius);
  *out = Vector4{mid.x + centre->x, mid.y + centre->y, mid.z + centre->z, 0.0f};
}

void arcMidpointAtTip(const Vector4* from, const Vector4* to, float radius, Vector4* out) {
  const Vector4 mid = midpoint(from, to, radius);
  *out = Vector4{mid.x + from->x, mid.y + from->y, mid.z + from->z, 0.0f};
}
