/// @file
/// Stroke text: printf-style text drawn with GLUT's stroke font as line
/// segments in the current model coordinates, so it turns, scales and hides
/// with the scene. Three settings, shared by all windows, give bold lines,
/// antialiased lines and extra space between characters.
#pragma once

/// Draw a formatted text starting at (x, y) in the plane z = 0 of the current
/// model coordinates, running along +x. The formatted text is cut after 1999
/// characters. Leaves the modelview matrix,
/// the line width and the GL_BLEND and GL_LINE_SMOOTH switches as it found
/// them; with smoothing on, the blend function stays (GL_SRC_ALPHA,
/// GL_ONE_MINUS_SRC_ALPHA) afterwards. The text takes the current colour.
/// @param x, y    where the text starts, in model units
/// @param size    200 draws the font at its own unit size (one font unit per
///                model unit); the scale is size * 0.005
/// @param format  printf's format, followed by its arguments
void printStrokeText(float x, float y, float size, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

/// Bold text: not 0 draws lines 2.0 pixels wide instead of 1.0. Starts at 0.
/// @param bold  0 or not 0
void setStrokeBold(int bold);
/// Whether the text is bold.
/// @return the value given to setStrokeBold
int getStrokeBold();

/// Smooth text: not 0 draws antialiased lines blended with the scene; 0 draws
/// with neither blending nor line smoothing. Starts at 0.
/// @param smooth  0 or not 0
void setStrokeSmooth(int smooth);
/// Whether the text is smooth.
/// @return the value given to setStrokeSmooth
int getStrokeSmooth();

/// Extra advance after every character, in font units (a text of size 100
/// moves on by half a model unit per font unit). Starts at 0.
/// @param spacing  the advance, in font units
void setStrokeSpacing(float spacing);
/// The extra advance after every character.
/// @return the advance, in font units
float getStrokeSpacing();
