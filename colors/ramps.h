/// @file
/// Colour ramps: two 256-entry tables for mapping a value from 0 to 255 to a
/// colour, a rainbow and a grey scale, built on the heap for the caller.
#pragma once

#include "colors/colors.h"

/// 256 pointers, index 0 the low end and 255 the high end, each to its own
/// heap colour block of four floats (the kind copyColor makes, releasable
/// one by one with releaseColor). Caller-owned, array and blocks alike.
typedef float** ColorRamp;

/// Number of entries of every ramp.
constexpr int kColorRampSize = 256;

/// A new rainbow ramp, alpha 1: green, cyan, blue, magenta, red to yellow in
/// five segments of 51 steps (entries 0, 51, 102, 153, 204 and 255 are those
/// six corners). Release with releaseColorRamp.
/// @return the ramp, or a null pointer, having freed whatever it had
///         obtained, when any of its 257 allocations fails
ColorRamp rainbowRamp();

/// A new grey ramp from black to white: entry i is i / 255 in red, green and
/// blue, alpha 1. Release with releaseColorRamp.
/// @return the ramp, or null, with nothing left allocated, when memory runs
///         out
ColorRamp greyRamp();

/// Free every entry of a ramp and the array itself. Entries already released
/// with releaseColor must have been set to null first; a null ramp is ignored.
/// @param ramp  the ramp to free
void releaseColorRamp(ColorRamp ramp);
