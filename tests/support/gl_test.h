// A real OpenGL context for the tests: one freeglut window on the (virtual)
// display, shared by every GL test of a test program, with helpers that read
// back what the context reports: matrices, switches and stack depths through
// glGet, primitives through feedback mode, and pixels.
#pragma once

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

// Width and height of the shared test window, in pixels.
constexpr int kTestWindowWidth = 320;
constexpr int kTestWindowHeight = 240;

// Create the shared window on first use and make it current; returns its id.
int testWindow();

// Let freeglut handle pending window-system events (resizes, maps).
void pumpEvents();

// A small window of its own that counts the frames it draws, placed away
// from the other test programs' windows; returns its id. Create it before a
// test that needs it, since creating it makes it current once.
int redrawCountingWindow();
// Frames that the counting window draws for the redraw requests of `action`,
// which runs with that window current; -1 when no undisturbed count could be
// had (another window covered or uncovered it meanwhile). The action may run
// more than once. The shared test window is current again afterwards.
int redrawFramesOf(const std::function<void()>& action);

// A test with the shared context current and a clean state: both matrices
// the identity, modelview the current mode, viewport the whole window,
// no pending GL error.
class GlTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// The current matrix of a stack, in OpenGL's column-major order.
std::array<float, 16> modelviewMatrix();
std::array<float, 16> projectionMatrix();
int modelviewStackDepth();
int projectionStackDepth();
int attribStackDepth();
bool isEnabled(GLenum capability);
GLint getInteger(GLenum name);
float getFloat(GLenum name);

// One primitive reported by feedback mode.
struct FeedbackVertex {
  float x, y, z;
};
struct FeedbackPrimitive {
  GLenum token;  // GL_POLYGON_TOKEN, GL_LINE_TOKEN, GL_LINE_RESET_TOKEN,
                 // GL_POINT_TOKEN, GL_BITMAP_TOKEN, ...
  std::vector<FeedbackVertex> vertices;
};

// Run `draw` in feedback mode (GL_3D) under a projection that maps model
// space one to one onto window space within a cube of half-size `extent`
// centred on the origin: a vertex (x, y, z) is reported as (x, y, z). The
// current modelview matrix applies. Matrices and viewport are restored.
std::vector<FeedbackPrimitive> captureFeedback(const std::function<void()>& draw,
                                               float extent = 64.0f);

// Run `draw` in feedback mode with the caller's matrices and viewport as
// they are, reporting window coordinates.
std::vector<FeedbackPrimitive> captureWindowFeedback(const std::function<void()>& draw);

// All vertices of the primitives with the given token, in order.
std::vector<FeedbackVertex> verticesOf(const std::vector<FeedbackPrimitive>& primitives,
                                       GLenum token);

// RGBA pixels of the back buffer, rows from the bottom up.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgba;
  const unsigned char* at(int x, int y) const { return &rgba[4 * (y * width + x)]; }
  // Whether pixel (x, y) differs from black in any colour channel.
  bool lit(int x, int y) const {
    const unsigned char* p = at(x, y);
    return p[0] != 0 || p[1] != 0 || p[2] != 0;
  }
};
Pixels readPixels(int x = 0, int y = 0, int width = kTestWindowWidth,
                  int height = kTestWindowHeight);
