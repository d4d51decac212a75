// A real OpenGL context for the tests: one freeglut window on the (virtual)
// display, shared by every GL test of a test program, with helpers that read
// back what the context reports: matrices, switches and stack depths through
// glGet, primitives through feedback mode, and pixels. Waits for window-system
// events are for the event itself and bounded.
#pragma once

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

// Width and height of the shared test window, in pixels.
constexpr int kTestWindowWidth = 320;
constexpr int kTestWindowHeight = 240;

// Longest wait for a window-system event (a window drawn, a size taken, a
// key seen), in seconds.
constexpr double kEventWaitSeconds = 10.0;

// Create the shared window on first use, wait for its first frame, and make
// it current; returns its id.
int testWindow();

// Handle window-system events until `done` holds, for at most
// kEventWaitSeconds; fails naming `what` when it never held.
::testing::AssertionResult waitFor(const char* what, const std::function<bool()>& done);

// A window of its own at the top left (`title` names it), drawn once and its
// buffers cleared before this returns, current afterwards; destroyTestWindow
// ends it and makes the shared test window current again.
int createTestWindow(const char* title);
void destroyTestWindow(int window);

// Give the current window a new size and wait until GLUT reports it.
::testing::AssertionResult resizeCurrentWindow(int width, int height);

// A small window of its own that counts the frames it draws, placed away
// from the other test programs' windows; returns its id. Create it before a
// test that needs it, since creating it makes it current once.
int redrawCountingWindow();
// Frames that the counting window draws for the redraw requests of `action`,
// which runs with that window current; -1 when no undisturbed count could be
// had (another window covered or uncovered it meanwhile). The action may run
// more than once. The shared test window is current again afterwards.
int redrawFramesOf(const std::function<void()>& action);

// A test with the shared context current and a clean state: every attribute
// group and the client attributes saved, the modelview, projection and
// texture matrices saved and each the identity, modelview the current mode,
// viewport the whole window, buffers cleared. Afterwards the test fails if
// it left a GL error or a stack deeper or shallower than it found it, and
// everything saved is restored, the window's size included.
class GlTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  int depths[5] = {};  // attribute, client attribute and the three matrix stacks
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
// Pixels of the back buffer; leaves the pack alignment as it found it.
Pixels readPixels(int x = 0, int y = 0, int width = kTestWindowWidth,
                  int height = kTestWindowHeight);
