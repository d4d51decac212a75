/// @file
/// Named colours: 24 constant RGBA colours with alpha variants, a grey of any
/// level, a free RGBA value, heap copies, and two 256-entry colour ramps. The
/// results are pointers that OpenGL colour, light and material calls take as
/// they are: glColor4fv(colorYellow()).
#pragma once

/// Red, green, blue and alpha as single-precision floats from 0 to 1.
typedef float Color4[4];

/// The constant colours, alpha 1. Each returns the same read-only pointer on
/// every call.
/// @return the colour's four floats
///@{
const float* colorWhite();
const float* colorYellow();
const float* colorCyan();
const float* colorMagenta();
const float* colorRed();
const float* colorGreen();
const float* colorBlue();
const float* colorBlack();
const float* colorGrey10();
const float* colorGrey25();
const float* colorGrey50();
const float* colorGrey75();
const float* colorDarkYellow();
const float* colorOlive();
const float* colorDarkCyan();
const float* colorDarkMagenta();
const float* colorDarkRed();
const float* colorDarkGreen();
const float* colorDarkBlue();
const float* colorTan();
const float* colorPink();
const float* colorDarkPink();
const float* colorLightBlue();
const float* colorSlateBlue();
///@}

/// The same colours with the given alpha. Each accessor owns one slot: the
/// pointer is the same on every call and the next call of the same accessor
/// overwrites it, so pass the result straight to OpenGL. colorTan has none.
/// @param alpha  the opacity, from 0 to 1
/// @return the colour's four floats, in the accessor's slot
///@{
float* colorWhiteAlpha(float alpha);
float* colorYellowAlpha(float alpha);
float* colorCyanAlpha(float alpha);
float* colorMagentaAlpha(float alpha);
float* colorRedAlpha(float alpha);
float* colorGreenAlpha(float alpha);
float* colorBlueAlpha(float alpha);
float* colorBlackAlpha(float alpha);
float* colorGrey10Alpha(float alpha);
float* colorGrey25Alpha(float alpha);
float* colorGrey50Alpha(float alpha);
float* colorGrey75Alpha(float alpha);
float* colorDarkYellowAlpha(float alpha);
float* colorOliveAlpha(float alpha);
float* colorDarkCyanAlpha(float alpha);
float* colorDarkMagentaAlpha(float alpha);
float* colorDarkRedAlpha(float alpha);
float* colorDarkGreenAlpha(float alpha);
float* colorDarkBlueAlpha(float alpha);
float* colorPinkAlpha(float alpha);
float* colorDarkPinkAlpha(float alpha);
float* colorLightBlueAlpha(float alpha);
float* colorSlateBlueAlpha(float alpha);
///@}

/// A grey (level, level, level, alpha) in the slot of colorGrey. Values are
/// stored as given, without clamping.
/// @param level  red, green and blue, from 0 (black) to 1 (white)
/// @param alpha  the opacity, from 0 to 1
/// @return the colour's four floats, in the slot of colorGrey
float* colorGrey(float level, float alpha);

/// An arbitrary colour in the slot of colorRGBA, stored as given.
/// @param red, green, blue, alpha  the components, from 0 to 1
/// @return the colour's four floats, in the slot of colorRGBA
float* colorRGBA(float red, float green, float blue, float alpha);

/// A new heap copy of a colour, owned by the caller until releaseColor.
/// @param color  the four floats to copy
/// @return the copy, or a null pointer when the memory cannot be had
float* copyColor(const float* color);

/// Free a colour made by copyColor or a ramp entry; a null pointer is ignored.
/// @param color  the colour to free
void releaseColor(float* color);
