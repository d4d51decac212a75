// Stroke text: formats a printf-style text into a buffer of the call's own
// and draws it with GLUT's Roman stroke font in model space, with optional
// bold, antialiased lines and extra character spacing. Builds on GLUT's
// stroke characters and the OpenGL line and blend state, which it restores.
#include "text/stroke_text.h"

#include <GL/glut.h>

#include <cstdarg>
#include <cstdio>

// Length of a call's text buffer: 1999 characters and the terminating zero.
constexpr int kStrokeBufferSize = 2000;

// Model units per font unit for each unit of size: size 200 gives 1.
constexpr double kSizeToScale = 0.005;

// Not 0: lines 2.0 wide instead of 1.0.
static int strokeBold = 0;
// Not 0: antialiased lines blended with the scene; 0: neither.
static int strokeSmooth = 0;
// Extra advance after every character, in font units.
static float strokeSpacing = 0.0f;

// Switch a capability back to a saved enabled or disabled state.
static void restoreSwitch(GLenum capability, GLboolean enabled) {
  if (enabled) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
}

void printStrokeText(float x, float y, float size, const char* format, ...) {
  // Bounded formatting: a longer text is cut after 1999 characters.
  char text[kStrokeBufferSize];
  va_list arguments;
  va_start(arguments, format);
  if (std::vsnprintf(text, sizeof text, format, arguments) < 0) text[0] = '\0';
  va_end(arguments);

  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  const float scale = static_cast<float>(static_cast<double>(size) * kSizeToScale);
  glScalef(scale, scale, scale);

  GLfloat savedWidth = 1.0f;
  GLboolean savedBlend = GL_FALSE;
  GLboolean savedLineSmooth = GL_FALSE;
  glGetFloatv(GL_LINE_WIDTH, &savedWidth);
  glGetBooleanv(GL_BLEND, &savedBlend);
  glGetBooleanv(GL_LINE_SMOOTH, &savedLineSmooth);

  glLineWidth(strokeBold != 0 ? 2.0f : 1.0f);
  if (strokeSmooth != 0) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LINE_SMOOTH);
  } else {
    glDisable(GL_BLEND);
    glDisable(GL_LINE_SMOOTH);
  }

  // Each character moves the modelview on by its own width.
  for (const char* c = text; *c != '\0'; ++c) {
    glutStrokeCharacter(GLUT_STROKE_ROMAN, static_cast<unsigned char>(*c));
    glTranslatef(strokeSpacing, 0.0f, 0.0f);
  }

  // The switches and the width go back; the blend function stays as set above.
  restoreSwitch(GL_BLEND, savedBlend);
  restoreSwitch(GL_LINE_SMOOTH, savedLineSmooth);
  glLineWidth(savedWidth);
  glPopMatrix();
}

void setStrokeBold(int bold) { strokeBold = bold; }
int getStrokeBold() { return strokeBold; }

void setStrokeSmooth(int smooth) { strokeSmooth = smooth; }
int getStrokeSmooth() { return strokeSmooth; }

void setStrokeSpacing(float spacing) { strokeSpacing = spacing; }
float getStrokeSpacing() { return strokeSpacing; }
