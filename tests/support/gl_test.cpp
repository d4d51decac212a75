// The shared test context and its read-back helpers.
#include "tests/support/gl_test.h"

#include <GL/freeglut.h>
#include <unistd.h>

static int sharedWindow = 0;

int testWindow() {
  if (sharedWindow == 0) {
    int argc = 1;
    char name[] = "velorane-tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(kTestWindowWidth, kTestWindowHeight);
    sharedWindow = glutCreateWindow("velorane-tests");
    glutDisplayFunc([] {});
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    pumpEvents();
  }
  glutSetWindow(sharedWindow);
  return sharedWindow;
}

void pumpEvents() {
  for (int i = 0; i < 5; ++i) glutMainLoopEvent();
}

void GlTest::SetUp() {
  testWindow();
  while (glGetError() != GL_NO_ERROR) {
  }
  glViewport(0, 0, kTestWindowWidth, kTestWindowHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlTest::TearDown() { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

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
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.rgba.data());
  return pixels;
}

// Frame counting. Test programs running at the same time map their windows
// at the top left of the screen, and a covered window draws nothing while an
// uncovered one redraws by itself; so redraws are counted on a small window
// of their own, placed by process id away from the top left, and a count is
// kept only when that window's visibility did not change while it was taken.
static int countingWindow = 0;
static int framesDrawn = 0;
static int visibilityChanges = 0;

// Frames that the counting window draws for the redraw requests of `action`,
// run with that window current after it has drawn everything pending; -1
// when no undisturbed count could be had. The action may run more than once.
// The shared test window is current again afterwards.
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
    glutDisplayFunc([] { ++framesDrawn; });
    glutWindowStatusFunc([](int) { ++visibilityChanges; });
    testWindow();
  }
  return countingWindow;
}

int redrawFramesOf(const std::function<void()>& action) {
  redrawCountingWindow();
  int frames = -1;
  for (int attempt = 0; attempt < 20 && frames < 0; ++attempt) {
    glutSetWindow(countingWindow);
    framesDrawn = 0;
    glutPostRedisplay();
    for (int i = 0; i < 500 && framesDrawn == 0; ++i) {
      pumpEvents();
      usleep(1000);
    }
    if (framesDrawn == 0) continue;
    pumpEvents();
    visibilityChanges = 0;
    framesDrawn = 0;
    glutSetWindow(countingWindow);
    action();
    for (int i = 0; i < 5; ++i) {
      usleep(2000);
      pumpEvents();
    }
    if (visibilityChanges == 0) frames = framesDrawn;
  }
  testWindow();
  return frames;
}
