// The shared test context and its read-back helpers.
#include "tests/support/gl_test.h"

#include <GL/freeglut.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <string>

// The shared test window's id, 0 until it exists.
static int sharedWindow = 0;
// Frames drawn by each window that the support made, by GLUT id.
static std::map<int, int> framesOfWindow;

// Display callback of the support's windows: count the frame.
static void countFrame() { ++framesOfWindow[glutGetWindow()]; }

::testing::AssertionResult waitFor(const char* what, const std::function<bool()>& done) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end =
      Clock::now() + std::chrono::duration_cast<Clock::duration>(
                         std::chrono::duration<double>(kEventWaitSeconds));
  while (!done()) {
    if (Clock::now() > end) {
      return ::testing::AssertionFailure()
             << what << " did not happen within " << kEventWaitSeconds << " s";
    }
    glutMainLoopEvent();
    if (!done()) usleep(1000);
  }
  return ::testing::AssertionSuccess();
}

// Wait for the first frame of a window just created; it is current afterwards.
static void waitForFirstFrame(int window, const char* title) {
  const std::string what = std::string("the first frame of window \"") + title + "\"";
  EXPECT_TRUE(waitFor(what.c_str(), [window] { return framesOfWindow[window] > 0; }));
  glutSetWindow(window);
}

int testWindow() {
  if (sharedWindow == 0) {
    int argc = 1;
    char name[] = "velorane-tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    sharedWindow = createTestWindow("velorane-tests");
  }
  glutSetWindow(sharedWindow);
  return sharedWindow;
}

int createTestWindow(const char* title) {
  glutInitWindowPosition(0, 0);
  glutInitWindowSize(kTestWindowWidth, kTestWindowHeight);
  const int window = glutCreateWindow(title);
  glutDisplayFunc(countFrame);
  waitForFirstFrame(window, title);
  // A new window's back buffer holds whatever memory it was given: a test
  // that reads it back must find it black.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return window;
}

void destroyTestWindow(int window) {
  glutDestroyWindow(window);
  framesOfWindow.erase(window);
  glutMainLoopEvent();  // freeglut ends destroyed windows at the end of a pass
  testWindow();
}

::testing::AssertionResult resizeCurrentWindow(int width, int height) {
  const int window = glutGetWindow();
  glutReshapeWindow(width, height);
  return waitFor("the window's new size", [window, width, height] {
    glutSetWindow(window);
    return glutGet(GLUT_WINDOW_WIDTH) == width && glutGet(GLUT_WINDOW_HEIGHT) == height;
  });
}

// Name of a GL error code.
static const char* errorName(GLenum error) {
  switch (error) {
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW: return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW: return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    default: return "an unknown GL error";
  }
}

// Fail for every GL error pending, naming it and when it was found.
static void expectNoGlError(const char* when) {
  for (int i = 0; i < 16; ++i) {
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR) return;
    ADD_FAILURE() << errorName(error) << " (0x" << std::hex << error << ") " << when;
  }
}

// The stacks the fixture saves on, by index of GlTest::depths.
static const GLenum kMatrixModes[3] = {GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE};
static const GLenum kDepthNames[5] = {GL_ATTRIB_STACK_DEPTH, GL_CLIENT_ATTRIB_STACK_DEPTH,
                                      GL_MODELVIEW_STACK_DEPTH, GL_PROJECTION_STACK_DEPTH,
                                      GL_TEXTURE_STACK_DEPTH};
static const char* const kStackNames[5] = {"attribute", "client attribute", "modelview",
                                           "projection", "texture"};

void GlTest::SetUp() {
  testWindow();
  expectNoGlError("was pending before the test");
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  for (GLenum mode : kMatrixModes) {
    glMatrixMode(mode);
    glPushMatrix();
    glLoadIdentity();
  }
  glMatrixMode(GL_MODELVIEW);
  for (int i = 0; i < 5; ++i) depths[i] = getInteger(kDepthNames[i]);
  glViewport(0, 0, kTestWindowWidth, kTestWindowHeight);
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlTest::TearDown() {
  if (glutGetWindow() != sharedWindow) {
    ADD_FAILURE() << "the test left window " << glutGetWindow() << " current";
    testWindow();
  }
  expectNoGlError("was left by the test");
  // Stacks left deeper are popped back; one left shallower cannot be mended.
  for (int i = 0; i < 5; ++i) {
    const int depth = getInteger(kDepthNames[i]);
    if (depth != depths[i]) {
      ADD_FAILURE() << "the test left the " << kStackNames[i] << " stack at depth " << depth
                    << " instead of " << depths[i];
    }
    for (int extra = depth; extra > depths[i]; --extra) {
      if (i == 0) {
        glPopAttrib();
      } else if (i == 1) {
        glPopClientAttrib();
      } else {
        glMatrixMode(kMatrixModes[i - 2]);
        glPopMatrix();
      }
    }
  }
  for (GLenum mode : kMatrixModes) {
    glMatrixMode(mode);
    glPopMatrix();
  }
  glPopClientAttrib();
  glPopAttrib();
  expectNoGlError("came from restoring the state the test found");
  if (glutGet(GLUT_WINDOW_WIDTH) != kTestWindowWidth ||
      glutGet(GLUT_WINDOW_HEIGHT) != kTestWindowHeight) {
    glutPositionWindow(0, 0);
    EXPECT_TRUE(resizeCurrentWindow(kTestWindowWidth, kTestWindowHeight));
  }
}

static std::array<float, 16> matrix(GLenum name) {
  std::array<float, 16> m{};
  glGetFloatv(name, m.data());
  return m;
}

std::array<float, 16> modelviewMatrix() { return matrix(GL_MODELVIEW_MATRIX); }
std::array<float, 16> projectionMatrix() { return matrix(GL_PROJECTION_MATRIX); }
int modelviewStackDepth() { return getInteger(GL_MODELVIEW_STACK_DEPTH); }
int projectionStackDepth() { return getInteger(GL_PROJECTION_STACK_DEPTH); }
int attribStackDepth() { return getInteger(GL_ATTRIB_STACK_DEPTH); }
bool isEnabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

GLint getInteger(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

float getFloat(GLenum name) {
  GLfloat value = 0;
  glGetFloatv(name, &value);
  return value;
}

// Decode a GL_3D feedback buffer.
static std::vector<FeedbackPrimitive> decode(const std::vector<GLfloat>& buffer, GLint count) {
  std::vector<FeedbackPrimitive> primitives;
  auto vertex = [&](GLint* i) {
    FeedbackVertex v{buffer[*i], buffer[*i + 1], buffer[*i + 2]};
    *i += 3;
    return v;
  };
  GLint i = 0;
  while (i < count) {
    FeedbackPrimitive p{static_cast<GLenum>(buffer[i++]), {}};
    switch (p.token) {
      case GL_POINT_TOKEN:
      case GL_BITMAP_TOKEN:
      case GL_DRAW_PIXEL_TOKEN:
      case GL_COPY_PIXEL_TOKEN: p.vertices.push_back(vertex(&i)); break;
      case GL_LINE_TOKEN:
      case GL_LINE_RESET_TOKEN:
        p.vertices.push_back(vertex(&i));
        p.vertices.push_back(vertex(&i));
        break;
      case GL_POLYGON_TOKEN: {
        const int n = static_cast<int>(buffer[i++]);
        for (int k = 0; k < n; ++k) p.vertices.push_back(vertex(&i));
        break;
      }
      case GL_PASS_THROUGH_TOKEN: ++i; break;
      default: ADD_FAILURE() << "unknown feedback token " << p.token; return primitives;
    }
    primitives.push_back(p);
  }
  return primitives;
}

std::vector<FeedbackPrimitive> captureWindowFeedback(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint count = glRenderMode(GL_RENDER);
  EXPECT_GE(count, 0) << "feedback buffer overflow";
  return decode(buffer, count < 0 ? 0 : count);
}

std::vector<FeedbackPrimitive> captureFeedback(const std::function<void()>& draw,
                                               float extent) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  const int size = static_cast<int>(extent);
  glViewport(-size, -size, 2 * size, 2 * size);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-extent, extent, -extent, extent, -extent, extent);
  glMatrixMode(GL_MODELVIEW);
  std::vector<FeedbackPrimitive> primitives = captureWindowFeedback(draw);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(static_cast<GLenum>(mode));
  glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
  // Window depth d in [0, 1] stands for model z = extent * (1 - 2d).
  for (FeedbackPrimitive& p : primitives) {
    for (FeedbackVertex& v : p.vertices) v.z = extent * (1.0f - 2.0f * v.z);
  }
  return primitives;
}

std::vector<FeedbackVertex> verticesOf(const std::vector<FeedbackPrimitive>& primitives,
                                       GLenum token) {
  std::vector<FeedbackVertex> vertices;
  for (const FeedbackPrimitive& p : primitives) {
    if (p.token == token) vertices.insert(vertices.end(), p.vertices.begin(), p.vertices.end());
  }
  return vertices;
}

Pixels readPixels(int x, int y, int width, int height) {
  Pixels pixels;
  pixels.width = width;
  pixels.height = height;
  pixels.rgba.assign(static_cast<size_t>(4) * width * height, 0);
  const GLint alignment = getInteger(GL_PACK_ALIGNMENT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.rgba.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  return pixels;
}

// Frame counting. Test programs running at the same time map their windows
// at the top left of the screen, and a covered window draws nothing while an
// uncovered one redraws by itself; so redraws are counted on a small window
// of their own, placed by process id away from the top left, and a count is
// kept only when that window's visibility did not change while it was taken.
static int countingWindow = 0;
// Visibility changes of the counting window since the count began.
static int visibilityChanges = 0;

// Ask `window` for a frame and wait until it has drawn it: then every redraw
// requested before has been drawn too.
static ::testing::AssertionResult drawFrameOf(int window) {
  const int before = framesOfWindow[window];
  glutPostWindowRedisplay(window);
  return waitFor("a frame of the counting window",
                 [window, before] { return framesOfWindow[window] > before; });
}

int redrawCountingWindow() {
  if (countingWindow == 0) {
    testWindow();
    const int slots = 20;
    const int pid = static_cast<int>(getpid());
    const int x = glutGet(GLUT_SCREEN_WIDTH) / 2 + (pid % slots) * 24;
    const int y = glutGet(GLUT_SCREEN_HEIGHT) / 2 + (pid / slots % slots) * 24;
    glutInitWindowPosition(x, y);
    glutInitWindowSize(16, 16);
    countingWindow = glutCreateWindow("velorane-redraw-count");
    glutDisplayFunc(countFrame);
    glutWindowStatusFunc([](int) { ++visibilityChanges; });
    waitForFirstFrame(countingWindow, "velorane-redraw-count");
    testWindow();
  }
  return countingWindow;
}

int redrawFramesOf(const std::function<void()>& action) {
  redrawCountingWindow();
  int frames = -1;
  for (int attempt = 0; attempt < 20 && frames < 0; ++attempt) {
    // Everything pending drawn first, then the action's requests: one pass of
    // the event loop draws them all, and a frame asked for afterwards shows
    // that the loop has caught up.
    const ::testing::AssertionResult caughtUp = drawFrameOf(countingWindow);
    if (!caughtUp) {
      ADD_FAILURE() << caughtUp.message();
      break;
    }
    visibilityChanges = 0;
    const int before = framesOfWindow[countingWindow];
    glutSetWindow(countingWindow);
    action();
    glutMainLoopEvent();
    const int drawn = framesOfWindow[countingWindow] - before;
    const ::testing::AssertionResult settled = drawFrameOf(countingWindow);
    if (!settled) {
      ADD_FAILURE() << settled.message();
      break;
    }
    if (visibilityChanges == 0) frames = drawn;
  }
  testWindow();
  return frames;
}
