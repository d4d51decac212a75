/// @file
/// Arrows and rods: solid markers drawn from the origin of the current
/// modelview coordinates to the end of a vector (x, y, z), oriented with the
/// matrix stack. Every function is called outside glBegin/glEnd, leaves the
/// matrix stack as it found it and draws in the current colour and lighting.
/// The zero vector has no direction: only its line (origin to origin) is drawn.
/// Sizes are in model units.
#pragma once

/// Draw an arrow to (x, y, z): a line, a cylinder shaft of radius
/// `shaftRadius` from the origin to len - `headLength`, and a cone head of
/// base radius `headRadius` and length `headLength` whose apex is at the
/// vector's end. 36 facets each.
/// @param x, y, z      the vector's end
/// @param headRadius   the radius of the head's base
/// @param headLength   the length of the head
/// @param shaftRadius  the radius of the shaft
void drawArrow(float x, float y, float z, float headRadius, float headLength,
               float shaftRadius);

/// Draw a rod to (x, y, z): a line and a cylinder of the given radius over the
/// whole vector, 36 facets.
/// @param x, y, z  the vector's end
/// @param radius   the radius of the cylinder
void drawRod(float x, float y, float z, float radius);

/// Draw an arrow to (x, y, z) whose head is GLUT's solid cone (10 slices and
/// stacks) over a plain line.
/// @param x, y, z     the vector's end
/// @param headRadius  the radius of the cone's base
/// @param headLength  the length of the cone
void drawLineArrow(float x, float y, float z, float headRadius, float headLength);

/// Draw a double-headed arrow from the origin to (x, y, z): two arrows from
/// the midpoint, one to each end, with the sizes of drawArrow.
/// @param x, y, z                              the vector's end
/// @param headRadius, headLength, shaftRadius  as for drawArrow
void drawDoubleArrow(float x, float y, float z, float headRadius, float headLength,
                     float shaftRadius);

/// Draw a cone with its apex at the origin and its base disc centred at
/// (x, y, z); 120 facets, no line.
/// @param x, y, z    the centre of the base
/// @param halfAngle  the half-angle at the apex, in degrees
void drawAngleCone(float x, float y, float z, float halfAngle);
