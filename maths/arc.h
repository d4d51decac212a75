/// @file
/// Angle marks: an arc swept from one direction toward another in the plane of
/// the two, at a given radius, drawn as a line strip or as points, optionally
/// with arrow heads at either end; and the point in the middle of such an arc,
/// where a label of the angle goes.
///
/// The arc starts at radius * from (from is expected to be of unit length; a
/// longer from scales the arc) and turns about the axis of angleBetween(from,
/// to). Only x, y, z of the vectors are read. The drawing functions are called
/// outside glBegin/glEnd, issue their own blocks and set no colour, width or
/// matrix. Angles are in degrees, distances in scene units.
#pragma once

#include "maths/vector.h"

/// @name Head modes of drawArc: where the arc carries arrow heads.
///@{
constexpr int kArcHeadNone = 0;        ///< no head
constexpr int kArcHeadAtStart = 1;     ///< a head where the arc leaves `from`
constexpr int kArcHeadAtEnd = 2;       ///< a head where the arc reaches `to`
constexpr int kArcHeadAtBothEnds = 3;  ///< both (the end head drawn first)
///@}

/// Draw the arc from `from` toward `to` about the origin in `segments` steps
/// (segments + 1 vertices; 0 gives the start point alone, a negative count no
/// vertex), as a GL_LINE_STRIP when `asLineStrip` is nonzero, else GL_POINTS.
/// A head is two GL_LINES from its tip to barbs `headAngle` degrees back along
/// the arc at radius +/- `headSize`.
/// @param from         the direction where the arc starts
/// @param to           the direction the arc turns toward
/// @param segments     the number of steps
/// @param radius       the radius, in scene units
/// @param asLineStrip  nonzero for a line strip, 0 for points
/// @param headMode     one of the kArcHead constants above; any other value
///                     draws no head
/// @param headAngle    how far back along the arc the barbs are, in degrees
/// @param headSize     how far the barbs stand off the arc, in scene units
void drawArc(const Vector4* from, const Vector4* to, int segments, float radius,
             int asLineStrip, int headMode, float headAngle, float headSize);

/// Draw the arc about the origin without heads.
/// @param from, to, segments, radius, asLineStrip  as for drawArc
void drawPlainArc(const Vector4* from, const Vector4* to, int segments, float radius,
                  int asLineStrip);

/// Draw the arc without heads about the point `centre`.
/// @param from, to, segments, radius, asLineStrip  as for drawArc
/// @param centre  the point the arc turns about
void drawArcAround(const Vector4* from, const Vector4* to, const Vector4* centre, int segments,
                   float radius, int asLineStrip);

/// Draw the arc without heads about the tip of `from`: it starts on the
/// prolongation of from and marks the angle between that prolongation and to.
/// @param from, to, segments, radius, asLineStrip  as for drawArc
void drawArcAtTip(const Vector4* from, const Vector4* to, int segments, float radius,
                  int asLineStrip);

/// out = the middle of the arc about the origin (out.w = 0).
/// @param from, to, radius  as for drawArc
/// @param out               receives the middle of the arc
void arcMidpoint(const Vector4* from, const Vector4* to, float radius, Vector4* out);

/// out = the middle of the arc about the point `centre` (out.w = 0).
/// @param from, to, radius  as for drawArc
/// @param centre            the point the arc turns about
/// @param out               receives the middle of the arc
void arcMidpointAround(const Vector4* from, const Vector4* to, const Vector4* centre,
                       float radius, Vector4* out);

/// out = the middle of the arc about the tip of `from` (out.w = 0).
/// @param from, to, radius  as for drawArc
/// @param out               receives the middle of the arc
void arcMidpointAtTip(const Vector4* from, const Vector4* to, float radius, Vector4* out);
