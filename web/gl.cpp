// OpenGL 1.1 as Velorane calls it, over WebGL 1: the fixed-function state of
// each window, computed here in C++ as an OpenGL 1.1 implementation computes
// it per vertex, and handed to the page's WebGL as finished clip-space
// vertices with their colours (web/canvas.js draws them with one shader).
//
// Calls covered, and how each differs from the real one:
// - glBegin/glEnd with GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_QUADS and
//   GL_POLYGON; glVertex3d/3f/3fv/4f, glNormal3d/3f, glColor4fv. Vertices are
//   transformed and lit on the CPU in single precision (the combined
//   projection-modelview matrix for positions, the inverse modelview for
//   normals), quads and polygons are split into triangle fans from their
//   first vertex. Other primitives are not taken (glBegin ignores them).
// - Lighting: GL_LIGHT0 and GL_LIGHT1 (ambient, diffuse, specular colours and
//   position, directional or positional without attenuation), the default
//   light-model ambient, GL_LIGHT_MODEL_TWO_SIDE, front material ambient,
//   diffuse and specular (no shininess: the specular term is the colours'
//   product when the light faces the surface); GL_NORMALIZE. The back colour of
//   two-sided lighting uses the back material, which stays at its defaults.
// - glEnable/glDisable: GL_LIGHTING, GL_LIGHT0/1, GL_CULL_FACE (back faces,
//   counter-clockwise front), GL_DEPTH_TEST, GL_BLEND, GL_NORMALIZE,
//   GL_LINE_SMOOTH (see glLineWidth); GL_ALPHA_TEST
//   and GL_AUTO_NORMAL are kept but change nothing (the alpha function is
//   never set, so every fragment passes; there are no evaluators).
// - glBlendFunc, glDepthFunc, glViewport, glClear, glClearColor, glFlush: as
//   WebGL's own (glFlush draws what is held back).
// - glMatrixMode, glLoadIdentity, glPushMatrix/glPopMatrix (32 modelview,
//   4 projection levels; beyond them a push is ignored, as a stack overflow
//   leaves the matrix), glRotatef, glScalef, glTranslatef, glOrtho, glFrustum.
// - glRasterPos4f: transformed and clipped like a vertex, window position and
//   depth from the viewport, colour latched from the current colour (lit when
//   lighting is on). glGetBooleanv/glGetFloatv read the raster position, its
//   validity, the projection matrix, the line width and the capabilities
//   above, nothing else.
// - glBitmap, glPixelStorei(GL_UNPACK_ALIGNMENT): the bitmap's lower-left pixel
//   at the floor of the raster position (plus 0.0001) less its origin, bits
//   most significant first, drawn in the latched colour at the raster depth,
//   depth-tested and blended like other fragments, not clipped by the viewport
//   (only by the canvas). Bitmaps go to an atlas texture of 512 x 128 pixels
//   per window, at compile time for a display list and at every call outside
//   one; a bitmap that no longer fits draws nothing but still moves the raster
//   position. (The program only calls glBitmap while compiling its font lists.)
// - glGenLists, glDeleteLists, glNewList(GL_COMPILE), glEndList, glListBase,
//   glCallLists(GL_UNSIGNED_BYTE): a list records the glBitmap calls made while
//   it compiles; any other call made then runs at once instead of being
//   recorded.
// - glPushAttrib/glPopAttrib keep the GL_DEPTH_BUFFER_BIT group (depth test and
//   function) and the GL_LIST_BIT group (list base); other groups are not kept.
// - glLineWidth: WebGL draws lines one pixel wide, so a line wider than one
//   pixel, and every line while GL_LINE_SMOOTH is on, is drawn as triangles
//   here, as Mesa's software renderers draw it: a line of width w is a
//   parallelogram w pixels across, widened vertically when it runs more
//   across than up (horizontally otherwise), its ends where the line's ends
//   are (Mesa moves an end by up to half a pixel by the diamond-exit rule of
//   thin lines, so an end may differ by a column of pixels). A smooth line is
//   a rectangle along the line, w + 1 pixels across and one pixel longer than
//   it, whose alpha is multiplied by the coverage: 1 inside, falling linearly
//   to 0 over the outermost pixel of each side and over the half pixel before
//   and after each end (Mesa computes the same coverage per fragment; here it
//   is interpolated between vertices, which differs slightly at the corners).
//   A line with an end behind the eye (clip w not above 0) stays one pixel
//   wide and sharp.
// - No current window (before the first glutCreateWindow): every call is
//   refused; it changes a state of no window, which draws nowhere.
// - Misuse that the calls above ignore (a call with no window, a push on a full
//   matrix stack or a pop of its last matrix, glBegin inside glBegin or with a
//   primitive not taken, glEnd without glBegin, a bitmap that does not fit in
//   the atlas) is reported on the page's console in debug builds (without
//   NDEBUG, as for assert), once for each kind; release builds stay silent as
//   OpenGL does.
// - The texts of a frame (the list names of each glCallLists) go to the page
//   at the swap, for screen readers; and everything a WebGL context holds can
//   be sent again from the state (glStateRestored) when the browser gives a
//   lost context back.
#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "web/canvas.h"
#include "web/gl_state.h"

// =============================================================================
// STATE
// The limits, the types and the fixed-function state of each window, and the
// current window every call reaches.
// =============================================================================

// Primitives of canvasDraw, as WebGL numbers them.
static const int kPrimitivePoints = 0;
static const int kPrimitiveLines = 1;
static const int kPrimitiveTriangles = 4;
// Size of the bitmap atlas of a window, in pixels: the program's four faces
// take its first 94 rows, and a smaller texture is uploaded sooner.
static const int kAtlasWidth = 512;
static const int kAtlasHeight = 128;
// Depths of the matrix stacks.
static const size_t kModelviewDepth = 32;
static const size_t kProjectionDepth = 4;
// The most vertices a draw holds: its indices are 16 bits.
static const size_t kBatchVertices = 65535;
// Added to the raster position before its floor gives a bitmap's pixel.
static const float kBitmapEpsilon = 0.0001f;

struct Matrix {
  float m[16];  // column-major, as OpenGL keeps it
};

struct Light {
  float ambient[4];
  float diffuse[4];
  float specular[4];
  float position[4];  // eye space
  bool enabled;
};

struct Material {
  float ambient[4];
  float diffuse[4];
  float specular[4];
};

// One vertex on its way to the page.
using Vertex = CanvasVertex;

// Misuse of the layer that a call ignores, reported once in debug builds.
enum Misuse {
  kMisuseNoWindow,
  kMisuseStackFull,
  kMisuseStackEmpty,
  kMisuseNestedBegin,
  kMisusePrimitive,
  kMisuseEndWithoutBegin,
  kMisuseAtlasFull,
  kMisuseKinds
};

// What the console says of each kind of misuse, in Misuse's order.
[[maybe_unused]] static const char* const kMisuseReports[kMisuseKinds] = {
    "a GL call with no current window was refused",
    "glPushMatrix on a full matrix stack was ignored",
    "glPopMatrix of the last matrix of a stack was ignored",
    "glBegin inside glBegin was ignored",
    "glBegin with a primitive this layer does not draw was ignored",
    "glEnd without glBegin was ignored",
    "a bitmap that does not fit in the window's glyph atlas draws nothing",
};

// A bitmap kept in the atlas.
struct AtlasBitmap {
  int width, height;
  int atlasX, atlasY;  // -1 when it did not fit
  float xorig, yorig, xmove, ymove;
};

// A depth-buffer and list group saved by glPushAttrib.
struct SavedAttributes {
  GLbitfield mask;
  bool depthTest;
  GLenum depthFunction;
  GLuint listBase;
};

struct GlState {
  int window = 0;
  int canvasWidth = 0, canvasHeight = 0;
  std::vector<Matrix> modelview, projection;
  GLenum matrixMode = GL_MODELVIEW;
  bool lighting = false, cullFace = false, depthTest = false, blend = false;
  bool normalize = false, alphaTest = false, autoNormal = false;
  GLenum blendSource = GL_SRC_ALPHA, blendDestination = GL_ONE_MINUS_SRC_ALPHA;
  GLenum depthFunction = GL_LESS;
  Light lights[2];
  bool twoSide = false;
  Material front, back;
  float color[4] = {1, 1, 1, 1};
  float normal[3] = {0, 0, 1};
  float clearColor[4] = {0, 0, 0, 0};
  int viewport[4] = {0, 0, 0, 0};
  int unpackAlignment = 4;
  // Raster position: window x, y, depth and clip w; its validity and colour.
  float raster[4] = {0, 0, 0, 1};
  bool rasterValid = true;
  float rasterColor[4] = {1, 1, 1, 1};
  // Immediate mode.
  GLenum primitive = 0;
  bool inside = false;
  std::vector<Vertex> vertices;
  // Corners of the polygon being split into triangles.
  std::vector<const Vertex*> polygonCorners;
  // Held-back drawing of one kind.
  std::vector<Vertex> batch;
  // The batch as plain vertices, when it goes so.
  std::vector<CanvasPlainVertex> plainBatch;
  // The order in which the batch's vertices are drawn: a vertex that corners
  // several triangles of a quad or polygon is sent once.
  std::vector<unsigned short> batchIndices;
  int batchPrimitive = -1, batchFlags = 0;
  GLenum batchSource = 0, batchDestination = 0, batchDepth = 0;
  // Display lists.
  std::map<GLuint, std::vector<AtlasBitmap>> lists;
  GLuint nextList = 1;
  GLuint listBase = 0;
  GLuint compiling = 0;
  std::vector<SavedAttributes> attributes;
  // Bitmap atlas: pixels, shelf packing, whether the page has it.
  std::vector<unsigned char> atlas;
  // Bitmaps of webCachedBitmap in the atlas, by their caller's key.
  std::map<const void*, AtlasBitmap> cachedBitmaps;
  // Line width in pixels, and whether lines are antialiased.
  float lineWidth = 1.0f;
  bool lineSmooth = false;
  int shelfX = 0, shelfY = 0, shelfHeight = 0;
  bool atlasDirty = false;
  // Matrices derived from the stacks, and whether they are stale.
  Matrix combined, normalMatrix;
  bool derivedStale = true;
  // Texts of the frame being drawn, and of the last frame the page has.
  std::string frameTexts, shownTexts;
};

// The state of no window, current until the first window is: what is called
// on it draws nowhere.
static GlState noWindow;

// Whether each kind of misuse has been reported.
[[maybe_unused]] static bool misuseReported[kMisuseKinds] = {};

// Report a misuse on the console, once for each kind, in debug builds.
static void reportMisuse(Misuse kind) {
#ifndef NDEBUG
  if (misuseReported[kind]) return;
  misuseReported[kind] = true;
  canvasReportMisuse(kMisuseReports[kind]);
#else
  (void)kind;
#endif
}

// The current state, never null: every call reaches its state through ->,
// which reports a call with no current window.
struct CurrentState {
  GlState* state = &noWindow;
  GlState* operator->() const {
    if (state == &noWindow) reportMisuse(kMisuseNoWindow);
    return state;
  }
};

static std::map<int, GlState*> states;
static CurrentState gl;

// =============================================================================
// MATRICES (helpers)
// Products, transforms and the derived matrices of the stacks.
// =============================================================================

static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

static void copy4(float* to, const float* from) {
  for (int i = 0; i < 4; ++i) to[i] = from[i];
}

static void set4(float* to, float a, float b, float c, float d) {
  to[0] = a;
  to[1] = b;
  to[2] = c;
  to[3] = d;
}

// The product a * b of two column-major matrices.
static Matrix multiply(const Matrix& a, const Matrix& b) {
  Matrix p;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      p.m[i + 4 * j] = a.m[i] * b.m[4 * j] + a.m[i + 4] * b.m[4 * j + 1] +
                       a.m[i + 8] * b.m[4 * j + 2] + a.m[i + 12] * b.m[4 * j + 3];
    }
  }
  return p;
}

// Transform a homogeneous point by a matrix.
static void transform(const Matrix& a, const float* in, float* out) {
  for (int i = 0; i < 4; ++i) {
    out[i] = a.m[i] * in[0] + a.m[i + 4] * in[1] + a.m[i + 8] * in[2] + a.m[i + 12] * in[3];
  }
}

// The inverse of a matrix's upper-left 3 x 3 part, transposed, in a Matrix.
static Matrix normalTransform(const Matrix& a) {
  const float* m = a.m;
  const float c00 = m[5] * m[10] - m[9] * m[6];
  const float c01 = m[9] * m[2] - m[1] * m[10];
  const float c02 = m[1] * m[6] - m[5] * m[2];
  const float determinant = m[0] * c00 + m[4] * c01 + m[8] * c02;
  Matrix n;
  for (float& value : n.m) value = 0.0f;
  if (determinant == 0.0f) return n;
  const float d = 1.0f / determinant;
  // Inverse rows (r, c), stored transposed: n(c, r) = inverse(r, c).
  float inverse[3][3];
  inverse[0][0] = c00 * d;
  inverse[0][1] = (m[8] * m[6] - m[4] * m[10]) * d;
  inverse[0][2] = (m[4] * m[9] - m[8] * m[5]) * d;
  inverse[1][0] = c01 * d;
  inverse[1][1] = (m[0] * m[10] - m[8] * m[2]) * d;
  inverse[1][2] = (m[8] * m[1] - m[0] * m[9]) * d;
  inverse[2][0] = c02 * d;
  inverse[2][1] = (m[4] * m[2] - m[0] * m[6]) * d;
  inverse[2][2] = (m[0] * m[5] - m[4] * m[1]) * d;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) n.m[r + 4 * c] = inverse[c][r];
  }
  return n;
}

static std::vector<Matrix>& currentStack() {
  return gl->matrixMode == GL_PROJECTION ? gl->projection : gl->modelview;
}

static Matrix& currentMatrix() { return currentStack().back(); }

// Multiply the current matrix by m on the right.
static void multiplyCurrent(const Matrix& m) {
  currentMatrix() = multiply(currentMatrix(), m);
  gl->derivedStale = true;
}

static void refreshDerived() {
  if (!gl->derivedStale) return;
  gl->combined = multiply(gl->projection.back(), gl->modelview.back());
  gl->normalMatrix = normalTransform(gl->modelview.back());
  gl->derivedStale = false;
}

// =============================================================================
// LIGHTING (per vertex)
// A vertex's colours from the lights and materials, and its clip position.
// =============================================================================

// The colour of a lit vertex at eye position `eye` with eye normal `n`.
static void lightVertex(const Material& material, const float* eye, const float* n,
                        float* out) {
  // Model ambient (0.2, 0.2, 0.2, 1) times the material's ambient.
  for (int i = 0; i < 3; ++i) out[i] = 0.2f * material.ambient[i];
  out[3] = material.diffuse[3];
  for (const Light& light : gl->lights) {
    if (!light.enabled) continue;
    float l[3];
    if (light.position[3] == 0.0f) {
      for (int i = 0; i < 3; ++i) l[i] = light.position[i];
    } else {
      for (int i = 0; i < 3; ++i) l[i] = light.position[i] / light.position[3] - eye[i];
    }
    const float length = std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]);
    if (length > 0.0f) {
      for (float& c : l) c /= length;
    }
    const float facing = n[0] * l[0] + n[1] * l[1] + n[2] * l[2];
    for (int i = 0; i < 3; ++i) out[i] += material.ambient[i] * light.ambient[i];
    if (facing > 0.0f) {
      for (int i = 0; i < 3; ++i) {
        out[i] += facing * material.diffuse[i] * light.diffuse[i];
        out[i] += material.specular[i] * light.specular[i];
      }
    }
  }
  for (int i = 0; i < 4; ++i) out[i] = out[i] < 0.0f ? 0.0f : (out[i] > 1.0f ? 1.0f : out[i]);
}

// Clip position and front and back colours of a point, as a vertex would get them.
static Vertex makeVertex(float x, float y, float z, float w) {
  refreshDerived();
  Vertex vertex;
  const float in[4] = {x, y, z, w};
  transform(gl->combined, in, vertex.position);
  if (gl->lighting) {
    float eye[4];
    transform(gl->modelview.back(), in, eye);
    if (eye[3] != 0.0f && eye[3] != 1.0f) {
      for (int i = 0; i < 3; ++i) eye[i] /= eye[3];
    }
    const Matrix& nm = gl->normalMatrix;
    float n[3];
    for (int i = 0; i < 3; ++i) {
      n[i] =
          nm.m[i] * gl->normal[0] + nm.m[i + 4] * gl->normal[1] + nm.m[i + 8] * gl->normal[2];
    }
    if (gl->normalize) {
      const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      if (length > 0.0f) {
        for (float& c : n) c /= length;
      }
    }
    lightVertex(gl->front, eye, n, vertex.front);
    if (gl->twoSide) {
      const float flipped[3] = {-n[0], -n[1], -n[2]};
      lightVertex(gl->back, eye, flipped, vertex.back);
    } else {
      copy4(vertex.back, vertex.front);
    }
  } else {
    copy4(vertex.front, gl->color);
    copy4(vertex.back, gl->color);
  }
  vertex.atlas[0] = 0.0f;
  vertex.atlas[1] = 0.0f;
  return vertex;
}

// =============================================================================
// PRIMITIVES (the batch)
// Vertices held back by kind and handed to the page in one draw.
// =============================================================================

// Whether the held-back vertices can go as plain ones: each with the same
// colour for both faces.
static bool batchIsPlain() {
  for (const Vertex& v : gl->batch) {
    if (std::memcmp(v.front, v.back, sizeof v.front) != 0) return false;
  }
  return true;
}

// Hand what is held back to the page: as plain vertices where they can be,
// which the page uploads in 10 floats a vertex instead of 14.
static void flushBatch() {
  if (gl->batch.empty()) return;
  if ((gl->batchFlags & kCanvasTextured) != 0 && gl->atlasDirty) {
    canvasAtlas(gl->window, gl->atlas.data(), kAtlasWidth, kAtlasHeight);
    gl->atlasDirty = false;
  }
  const void* vertices = gl->batch.data();
  int flags = gl->batchFlags;
  if (batchIsPlain()) {
    gl->plainBatch.resize(gl->batch.size());
    for (size_t i = 0; i < gl->batch.size(); ++i) {
      copy4(gl->plainBatch[i].position, gl->batch[i].position);
      copy4(gl->plainBatch[i].colour, gl->batch[i].front);
      gl->plainBatch[i].atlas[0] = gl->batch[i].atlas[0];
      gl->plainBatch[i].atlas[1] = gl->batch[i].atlas[1];
    }
    vertices = gl->plainBatch.data();
    flags |= kCanvasPlain;
  }
  canvasDraw(gl->window, gl->batchPrimitive, vertices, static_cast<int>(gl->batch.size()),
             gl->batchIndices.data(), static_cast<int>(gl->batchIndices.size()), flags,
             static_cast<int>(gl->batchSource), static_cast<int>(gl->batchDestination),
             static_cast<int>(gl->batchDepth));
  gl->batch.clear();
  gl->batchIndices.clear();
}

// Make the held-back drawing one of a primitive under the state bits, with
// room for `count` more vertices (indices are 16 bits).
static void batchStart(int primitive, int flags, size_t count) {
  if (gl->batch.size() + count > kBatchVertices) flushBatch();
  if (primitive != gl->batchPrimitive || flags != gl->batchFlags ||
      gl->blendSource != gl->batchSource || gl->blendDestination != gl->batchDestination ||
      gl->depthFunction != gl->batchDepth) {
    flushBatch();
    gl->batchPrimitive = primitive;
    gl->batchFlags = flags;
    gl->batchSource = gl->blendSource;
    gl->batchDestination = gl->blendDestination;
    gl->batchDepth = gl->depthFunction;
  }
}

// Append a vertex to the held-back drawing of a primitive under the state bits.
static void batchVertex(int primitive, int flags, const Vertex& vertex) {
  batchStart(primitive, flags, 1);
  gl->batchIndices.push_back(static_cast<unsigned short>(gl->batch.size()));
  gl->batch.push_back(vertex);
}

// Append a convex polygon of `count` corners as triangles under the state
// bits: a fan from its first corner, as OpenGL splits it.
static void batchFan(int flags, const Vertex* const* corners, size_t count) {
  batchStart(kPrimitiveTriangles, flags, count);
  const size_t first = gl->batch.size();
  for (size_t i = 0; i < count; ++i) gl->batch.push_back(*corners[i]);
  for (size_t i = 1; i + 1 < count; ++i) {
    for (size_t k : {first, first + i, first + i + 1}) {
      gl->batchIndices.push_back(static_cast<unsigned short>(k));
    }
  }
}

// =============================================================================
// STATE (windows)
// Capabilities, the initial state, and the windows' lifetime.
// =============================================================================

static int stateFlags() {
  return (gl->depthTest ? kCanvasDepthTest : 0) | (gl->blend ? kCanvasBlend : 0);
}

// Whether a capability is one this layer keeps; then its flag.
static bool* capabilityFlag(GLenum capability) {
  switch (capability) {
    case GL_LIGHTING: return &gl->lighting;
    case GL_LIGHT0: return &gl->lights[0].enabled;
    case GL_LIGHT1: return &gl->lights[1].enabled;
    case GL_CULL_FACE: return &gl->cullFace;
    case GL_DEPTH_TEST: return &gl->depthTest;
    case GL_BLEND: return &gl->blend;
    case GL_NORMALIZE: return &gl->normalize;
    case GL_ALPHA_TEST: return &gl->alphaTest;
    case GL_AUTO_NORMAL: return &gl->autoNormal;
    case GL_LINE_SMOOTH: return &gl->lineSmooth;
    default: return nullptr;
  }
}

static void resetState(GlState* s) {
  s->modelview.assign(1, Matrix{});
  s->projection.assign(1, Matrix{});
  for (int i = 0; i < 16; ++i) {
    s->modelview[0].m[i] = kIdentity[i];
    s->projection[0].m[i] = kIdentity[i];
  }
  for (int i = 0; i < 2; ++i) {
    Light& light = s->lights[i];
    set4(light.ambient, 0, 0, 0, 1);
    // GL_LIGHT0 starts white, the others black.
    const float on = i == 0 ? 1.0f : 0.0f;
    set4(light.diffuse, on, on, on, 1);
    set4(light.specular, on, on, on, 1);
    set4(light.position, 0, 0, 1, 0);
    light.enabled = false;
  }
  for (Material* material : {&s->front, &s->back}) {
    set4(material->ambient, 0.2f, 0.2f, 0.2f, 1);
    set4(material->diffuse, 0.8f, 0.8f, 0.8f, 1);
    set4(material->specular, 0, 0, 0, 1);
  }
  s->atlas.assign(static_cast<size_t>(kAtlasWidth) * kAtlasHeight, 0);
}

// The state of no window starts in OpenGL's initial state too.
[[maybe_unused]] static const bool noWindowReady = [] {
  resetState(&noWindow);
  return true;
}();

void glStateCreate(int window, int width, int height) {
  GlState* s = new GlState;
  s->window = window;
  s->canvasWidth = width;
  s->canvasHeight = height;
  resetState(s);
  s->viewport[2] = width;
  s->viewport[3] = height;
  states[window] = s;
  glStateMakeCurrent(window);
}

void glStateMakeCurrent(int window) {
  auto found = states.find(window);
  if (found == states.end() || found->second == gl.state) return;
  if (gl.state != &noWindow) flushBatch();
  gl.state = found->second;
}

void glStateResize(int window, int width, int height) {
  auto found = states.find(window);
  if (found == states.end()) return;
  if (found->second == gl.state) flushBatch();
  found->second->canvasWidth = width;
  found->second->canvasHeight = height;
}

void glStateFinish() {
  if (gl.state == &noWindow) return;
  flushBatch();
  if (gl->frameTexts != gl->shownTexts) {
    canvasTexts(gl->window, gl->frameTexts.data(), static_cast<int>(gl->frameTexts.size()));
    gl->shownTexts = gl->frameTexts;
  }
  gl->frameTexts.clear();
}

void glStateRestored(int window) {
  auto found = states.find(window);
  if (found == states.end()) return;
  GlState* s = found->second;
  canvasViewport(window, s->viewport[0], s->viewport[1], s->viewport[2], s->viewport[3]);
  s->atlasDirty = true;
}

// =============================================================================
// PRIMITIVES
// Lines (wide and smooth ones as triangles), glBegin/glEnd and the vertex calls.
// =============================================================================

// A vertex moved by (dx, dy) window pixels at the same depth, its colours'
// alpha multiplied by `coverage`.
static Vertex offsetVertex(const Vertex& vertex, float dx, float dy, float coverage) {
  Vertex moved = vertex;
  const float w = vertex.position[3];
  moved.position[0] += dx * 2.0f / static_cast<float>(gl->viewport[2]) * w;
  moved.position[1] += dy * 2.0f / static_cast<float>(gl->viewport[3]) * w;
  moved.front[3] *= coverage;
  moved.back[3] *= coverage;
  return moved;
}

// A wide line from a to b: a parallelogram widened across its minor axis.
static void batchWideLine(int flags, const Vertex& a, const Vertex& b, float dx, float dy) {
  const float half = gl->lineWidth * 0.5f;
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  const float across[2] = {xMajor ? 0.0f : half, xMajor ? half : 0.0f};
  const Vertex corners[4] = {offsetVertex(a, -across[0], -across[1], 1.0f),
                             offsetVertex(a, across[0], across[1], 1.0f),
                             offsetVertex(b, across[0], across[1], 1.0f),
                             offsetVertex(b, -across[0], -across[1], 1.0f)};
  const Vertex* fan[4] = {&corners[0], &corners[1], &corners[2], &corners[3]};
  batchFan(flags, fan, 4);
}

// A smooth line from a to b: a grid of 3 x 3 quads along and across the line,
// whose outer vertices carry coverage 0 and inner ones coverage 1.
static void batchSmoothLine(int flags, const Vertex& a, const Vertex& b, float dx, float dy) {
  const float length = std::sqrt(dx * dx + dy * dy);
  const float ux = length > 0.0f ? dx / length : 1.0f;
  const float uy = length > 0.0f ? dy / length : 0.0f;
  const float outer = gl->lineWidth * 0.5f + 0.5f;
  // Across the line: offsets from its middle and their coverage.
  const float across[4] = {-outer, 1.0f - outer, outer - 1.0f, outer};
  const float acrossCoverage[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  // Along the line: offsets from the end they belong to (a, a, b, b).
  const float inner = length < 1.0f ? length * 0.5f : 0.5f;
  const float along[4] = {-0.5f, inner, -inner, 0.5f};
  const float alongCoverage[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  Vertex grid[4][4];
  for (int i = 0; i < 4; ++i) {
    const Vertex& end = i < 2 ? a : b;
    for (int j = 0; j < 4; ++j) {
      grid[i][j] =
          offsetVertex(end, along[i] * ux - across[j] * uy, along[i] * uy + across[j] * ux,
                       alongCoverage[i] * acrossCoverage[j]);
    }
  }
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      const Vertex* quad[4] = {&grid[i][j], &grid[i + 1][j], &grid[i + 1][j + 1],
                               &grid[i][j + 1]};
      batchFan(flags, quad, 4);
    }
  }
}

// A line from a to b: one pixel wide by WebGL itself, wider or smooth as
// triangles of the same depth and colours.
static void batchLine(int flags, const Vertex& a, const Vertex& b) {
  const bool wide = gl->lineWidth > 1.0f || gl->lineSmooth;
  if (!wide || a.position[3] <= 0.0f || b.position[3] <= 0.0f || gl->viewport[2] <= 0 ||
      gl->viewport[3] <= 0) {
    batchVertex(kPrimitiveLines, flags, a);
    batchVertex(kPrimitiveLines, flags, b);
    return;
  }
  // The line in window pixels.
  const float halfWidth = static_cast<float>(gl->viewport[2]) * 0.5f;
  const float halfHeight = static_cast<float>(gl->viewport[3]) * 0.5f;
  const float dx = (b.position[0] / b.position[3] - a.position[0] / a.position[3]) * halfWidth;
  const float dy = (b.position[1] / b.position[3] - a.position[1] / a.position[3]) * halfHeight;
  if (gl->lineSmooth) {
    batchSmoothLine(flags, a, b, dx, dy);
  } else {
    batchWideLine(flags, a, b, dx, dy);
  }
}

void glBegin(GLenum mode) {
  if (gl->inside) {
    reportMisuse(kMisuseNestedBegin);
    return;
  }
  if (mode != GL_POINTS && mode != GL_LINES && mode != GL_LINE_STRIP && mode != GL_QUADS &&
      mode != GL_POLYGON) {
    reportMisuse(kMisusePrimitive);
    return;
  }
  gl->primitive = mode;
  gl->inside = true;
  gl->vertices.clear();
}

void glEnd(void) {
  if (!gl->inside) {
    reportMisuse(kMisuseEndWithoutBegin);
    return;
  }
  gl->inside = false;
  const std::vector<Vertex>& v = gl->vertices;
  const size_t n = v.size();
  const int flags = stateFlags();
  switch (gl->primitive) {
    case GL_POINTS:
      for (const Vertex& vertex : v) batchVertex(kPrimitivePoints, flags, vertex);
      break;
    case GL_LINES:
      for (size_t i = 0; i + 1 < n; i += 2) batchLine(flags, v[i], v[i + 1]);
      break;
    case GL_LINE_STRIP:
      for (size_t i = 0; i + 1 < n; ++i) batchLine(flags, v[i], v[i + 1]);
      break;
    case GL_QUADS: {
      const int triangles = flags | (gl->cullFace ? kCanvasCull : 0);
      for (size_t i = 0; i + 3 < n; i += 4) {
        const Vertex* quad[4] = {&v[i], &v[i + 1], &v[i + 2], &v[i + 3]};
        batchFan(triangles, quad, 4);
      }
      break;
    }
    case GL_POLYGON: {
      const int triangles = flags | (gl->cullFace ? kCanvasCull : 0);
      if (n >= 3 && n <= kBatchVertices) {
        std::vector<const Vertex*>& corners = gl->polygonCorners;
        corners.clear();
        for (const Vertex& vertex : v) corners.push_back(&vertex);
        batchFan(triangles, corners.data(), n);
      }
      break;
    }
    default: break;
  }
  gl->vertices.clear();
}

void glNormal3d(GLdouble x, GLdouble y, GLdouble z) {
  glNormal3f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  gl->normal[0] = x;
  gl->normal[1] = y;
  gl->normal[2] = z;
}

void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
  glVertex4f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), 1.0f);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { glVertex4f(x, y, z, 1.0f); }

void glVertex3fv(const GLfloat* v) { glVertex4f(v[0], v[1], v[2], 1.0f); }

void glVertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
  if (!gl->inside) return;
  gl->vertices.push_back(makeVertex(x, y, z, w));
}

void glColor4fv(const GLfloat* c) { copy4(gl->color, c); }

// =============================================================================
// STATE (capabilities, blending, depth, lines, pixel storage)
// =============================================================================

void glEnable(GLenum capability) {
  bool* flag = capabilityFlag(capability);
  if (flag != nullptr) *flag = true;
}

void glDisable(GLenum capability) {
  bool* flag = capabilityFlag(capability);
  if (flag != nullptr) *flag = false;
}

void glBlendFunc(GLenum source, GLenum destination) {
  gl->blendSource = source;
  gl->blendDestination = destination;
}

void glDepthFunc(GLenum function) { gl->depthFunction = function; }

void glLineWidth(GLfloat width) {
  if (width > 0.0f) gl->lineWidth = width;
}

void glPixelStorei(GLenum parameter, GLint value) {
  if (parameter == GL_UNPACK_ALIGNMENT &&
      (value == 1 || value == 2 || value == 4 || value == 8)) {
    gl->unpackAlignment = value;
  }
}

// =============================================================================
// LIGHTING
// Lights, the light model and materials.
// =============================================================================

void glLightfv(GLenum light, GLenum parameter, const GLfloat* value) {
  if (light != GL_LIGHT0 && light != GL_LIGHT1) return;
  Light& l = gl->lights[light - GL_LIGHT0];
  switch (parameter) {
    case GL_AMBIENT: copy4(l.ambient, value); break;
    case GL_DIFFUSE: copy4(l.diffuse, value); break;
    case GL_SPECULAR: copy4(l.specular, value); break;
    case GL_POSITION: {
      // Kept in eye space: transformed by the modelview matrix of the moment.
      float eye[4];
      transform(gl->modelview.back(), value, eye);
      copy4(l.position, eye);
      break;
    }
    default: break;
  }
}

void glLightModeli(GLenum parameter, GLint value) {
  if (parameter == GL_LIGHT_MODEL_TWO_SIDE) gl->twoSide = value != 0;
}

void glMaterialfv(GLenum face, GLenum parameter, const GLfloat* value) {
  if (face != GL_FRONT) return;
  if (parameter == GL_AMBIENT) copy4(gl->front.ambient, value);
  if (parameter == GL_DIFFUSE) copy4(gl->front.diffuse, value);
  if (parameter == GL_SPECULAR) copy4(gl->front.specular, value);
}

// =============================================================================
// STATE (attribute groups)
// =============================================================================

void glPushAttrib(GLbitfield mask) {
  gl->attributes.push_back(
      SavedAttributes{mask, gl->depthTest, gl->depthFunction, gl->listBase});
}

void glPopAttrib(void) {
  if (gl->attributes.empty()) return;
  const SavedAttributes saved = gl->attributes.back();
  gl->attributes.pop_back();
  if ((saved.mask & GL_DEPTH_BUFFER_BIT) != 0) {
    gl->depthTest = saved.depthTest;
    gl->depthFunction = saved.depthFunction;
  }
  if ((saved.mask & GL_LIST_BIT) != 0) gl->listBase = saved.listBase;
}

// =============================================================================
// MATRICES
// The matrix stacks and the calls that multiply them.
// =============================================================================

void glMatrixMode(GLenum mode) {
  if (mode == GL_MODELVIEW || mode == GL_PROJECTION) gl->matrixMode = mode;
}

void glLoadIdentity(void) {
  for (int i = 0; i < 16; ++i) currentMatrix().m[i] = kIdentity[i];
  gl->derivedStale = true;
}

void glPushMatrix(void) {
  std::vector<Matrix>& stack = currentStack();
  const size_t depth = gl->matrixMode == GL_PROJECTION ? kProjectionDepth : kModelviewDepth;
  if (stack.size() >= depth) {
    reportMisuse(kMisuseStackFull);
    return;
  }
  stack.push_back(stack.back());
}

void glPopMatrix(void) {
  std::vector<Matrix>& stack = currentStack();
  if (stack.size() <= 1) {
    reportMisuse(kMisuseStackEmpty);
    return;
  }
  stack.pop_back();
  gl->derivedStale = true;
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  Matrix r;
  for (int i = 0; i < 16; ++i) r.m[i] = kIdentity[i];
  const float radians = static_cast<float>(static_cast<double>(angle) * M_PI / 180.0);
  const float s = std::sin(radians);
  const float c = std::cos(radians);
  if (x == 0.0f && y == 0.0f && z != 0.0f) {
    // About z alone: exact zeros and ones.
    const float sign = z < 0.0f ? -s : s;
    r.m[0] = c;
    r.m[5] = c;
    r.m[1] = sign;
    r.m[4] = -sign;
  } else if (x == 0.0f && z == 0.0f && y != 0.0f) {
    const float sign = y < 0.0f ? -s : s;
    r.m[0] = c;
    r.m[10] = c;
    r.m[8] = sign;
    r.m[2] = -sign;
  } else if (y == 0.0f && z == 0.0f && x != 0.0f) {
    const float sign = x < 0.0f ? -s : s;
    r.m[5] = c;
    r.m[10] = c;
    r.m[6] = sign;
    r.m[9] = -sign;
  } else {
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length <= 1.0e-4f) return;
    x /= length;
    y /= length;
    z /= length;
    const float one = 1.0f - c;
    r.m[0] = one * x * x + c;
    r.m[4] = one * x * y - z * s;
    r.m[8] = one * z * x + y * s;
    r.m[1] = one * x * y + z * s;
    r.m[5] = one * y * y + c;
    r.m[9] = one * y * z - x * s;
    r.m[2] = one * z * x - y * s;
    r.m[6] = one * y * z + x * s;
    r.m[10] = one * z * z + c;
  }
  multiplyCurrent(r);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
  float* m = currentMatrix().m;
  for (int i = 0; i < 4; ++i) {
    m[i] *= x;
    m[i + 4] *= y;
    m[i + 8] *= z;
  }
  gl->derivedStale = true;
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  float* m = currentMatrix().m;
  for (int i = 0; i < 4; ++i) m[i + 12] = m[i] * x + m[i + 4] * y + m[i + 8] * z + m[i + 12];
  gl->derivedStale = true;
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
             GLdouble zFar) {
  const float l = static_cast<float>(left), r = static_cast<float>(right);
  const float b = static_cast<float>(bottom), t = static_cast<float>(top);
  const float n = static_cast<float>(zNear), f = static_cast<float>(zFar);
  if (l == r || b == t || n == f) return;
  Matrix o;
  for (int i = 0; i < 16; ++i) o.m[i] = kIdentity[i];
  o.m[0] = 2.0f / (r - l);
  o.m[12] = -(r + l) / (r - l);
  o.m[5] = 2.0f / (t - b);
  o.m[13] = -(t + b) / (t - b);
  o.m[10] = -2.0f / (f - n);
  o.m[14] = -(f + n) / (f - n);
  multiplyCurrent(o);
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar) {
  const float l = static_cast<float>(left), r = static_cast<float>(right);
  const float b = static_cast<float>(bottom), t = static_cast<float>(top);
  const float n = static_cast<float>(zNear), f = static_cast<float>(zFar);
  if (n <= 0.0f || f <= 0.0f || l == r || b == t || n == f) return;
  Matrix p;
  for (float& value : p.m) value = 0.0f;
  p.m[0] = (2.0f * n) / (r - l);
  p.m[5] = (2.0f * n) / (t - b);
  p.m[8] = (r + l) / (r - l);
  p.m[9] = (t + b) / (t - b);
  p.m[10] = -(f + n) / (f - n);
  p.m[11] = -1.0f;
  p.m[14] = -(2.0f * f * n) / (f - n);
  multiplyCurrent(p);
}

void webMultiplyMatrix(const double* m) {
  Matrix product;
  for (int i = 0; i < 16; ++i) product.m[i] = static_cast<float>(m[i]);
  multiplyCurrent(product);
}

// =============================================================================
// STATE (viewport and clearing)
// =============================================================================

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (width < 0 || height < 0) return;
  flushBatch();
  gl->viewport[0] = x;
  gl->viewport[1] = y;
  gl->viewport[2] = width;
  gl->viewport[3] = height;
  canvasViewport(gl->window, x, y, width, height);
}

void glClear(GLbitfield mask) {
  flushBatch();
  const int bits = ((mask & GL_COLOR_BUFFER_BIT) != 0 ? kCanvasClearColor : 0) |
                   ((mask & GL_DEPTH_BUFFER_BIT) != 0 ? kCanvasClearDepth : 0);
  if (bits == 0) return;
  canvasClear(gl->window, bits, gl->clearColor[0], gl->clearColor[1], gl->clearColor[2],
              gl->clearColor[3]);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  set4(gl->clearColor, red, green, blue, alpha);
}

void glFlush(void) { flushBatch(); }

// =============================================================================
// RASTER AND BITMAPS
// The raster position, the atlas of bitmaps and their drawing.
// =============================================================================

void glRasterPos4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
  const Vertex vertex = makeVertex(x, y, z, w);
  const float* clip = vertex.position;
  const float cw = clip[3];
  gl->rasterValid = true;
  for (int i = 0; i < 3; ++i) {
    if (!(clip[i] <= cw && clip[i] >= -cw)) gl->rasterValid = false;
  }
  if (!gl->rasterValid) return;
  const float d = 1.0f / cw;
  const float sx = static_cast<float>(gl->viewport[2]) * 0.5f;
  const float sy = static_cast<float>(gl->viewport[3]) * 0.5f;
  gl->raster[0] = clip[0] * d * sx + (static_cast<float>(gl->viewport[0]) + sx);
  gl->raster[1] = clip[1] * d * sy + (static_cast<float>(gl->viewport[1]) + sy);
  gl->raster[2] = clip[2] * d * 0.5f + 0.5f;
  gl->raster[3] = cw;
  copy4(gl->rasterColor, vertex.front);
}

// Put a bitmap's pixels in the atlas; its place, or -1 for x when it does not fit.
static AtlasBitmap storeBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig,
                               GLfloat xmove, GLfloat ymove, const GLubyte* bitmap) {
  AtlasBitmap stored{width, height, -1, -1, xorig, yorig, xmove, ymove};
  if (width <= 0 || height <= 0 || bitmap == nullptr) return stored;
  if (width > kAtlasWidth) {
    reportMisuse(kMisuseAtlasFull);
    return stored;
  }
  if (gl->shelfX + width > kAtlasWidth) {
    gl->shelfX = 0;
    gl->shelfY += gl->shelfHeight + 1;
    gl->shelfHeight = 0;
  }
  if (gl->shelfY + height > kAtlasHeight) {
    reportMisuse(kMisuseAtlasFull);
    return stored;
  }
  stored.atlasX = gl->shelfX;
  stored.atlasY = gl->shelfY;
  const int align = gl->unpackAlignment;
  const int rowBytes = ((width + 7) / 8 + align - 1) / align * align;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const GLubyte byte = bitmap[row * rowBytes + column / 8];
      const bool on = (byte & (0x80 >> (column % 8))) != 0;
      gl->atlas[static_cast<size_t>(stored.atlasY + row) * kAtlasWidth + stored.atlasX +
                static_cast<size_t>(column)] = on ? 255 : 0;
    }
  }
  gl->shelfX += width + 1;
  if (height > gl->shelfHeight) gl->shelfHeight = height;
  gl->atlasDirty = true;
  return stored;
}

// Draw a stored bitmap at the raster position and move the position on.
static void drawBitmap(const AtlasBitmap& b) {
  if (!gl->rasterValid) return;
  if (b.atlasX >= 0) {
    const float x0 = std::floor(gl->raster[0] + kBitmapEpsilon - b.xorig);
    const float y0 = std::floor(gl->raster[1] + kBitmapEpsilon - b.yorig);
    const float w = static_cast<float>(gl->canvasWidth > 0 ? gl->canvasWidth : 1);
    const float h = static_cast<float>(gl->canvasHeight > 0 ? gl->canvasHeight : 1);
    const float left = 2.0f * x0 / w - 1.0f;
    const float right = 2.0f * (x0 + static_cast<float>(b.width)) / w - 1.0f;
    const float bottom = 2.0f * y0 / h - 1.0f;
    const float top = 2.0f * (y0 + static_cast<float>(b.height)) / h - 1.0f;
    const float depth = 2.0f * gl->raster[2] - 1.0f;
    const float atlasWidth = static_cast<float>(kAtlasWidth);
    const float atlasHeight = static_cast<float>(kAtlasHeight);
    const float u0 = static_cast<float>(b.atlasX) / atlasWidth;
    const float u1 = static_cast<float>(b.atlasX + b.width) / atlasWidth;
    const float v0 = static_cast<float>(b.atlasY) / atlasHeight;
    const float v1 = static_cast<float>(b.atlasY + b.height) / atlasHeight;
    const float corners[4][4] = {{left, bottom, u0, v0},
                                 {right, bottom, u1, v0},
                                 {right, top, u1, v1},
                                 {left, top, u0, v1}};
    const int flags = stateFlags() | kCanvasTextured | kCanvasWindowSpace;
    Vertex quad[4];
    for (int k = 0; k < 4; ++k) {
      set4(quad[k].position, corners[k][0], corners[k][1], depth, 1.0f);
      copy4(quad[k].front, gl->rasterColor);
      copy4(quad[k].back, gl->rasterColor);
      quad[k].atlas[0] = corners[k][2];
      quad[k].atlas[1] = corners[k][3];
    }
    const Vertex* fan[4] = {&quad[0], &quad[1], &quad[2], &quad[3]};
    batchFan(flags, fan, 4);
  }
  gl->raster[0] += b.xmove;
  gl->raster[1] += b.ymove;
}

void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
              GLfloat ymove, const GLubyte* bitmap) {
  const AtlasBitmap stored = storeBitmap(width, height, xorig, yorig, xmove, ymove, bitmap);
  if (gl->compiling != 0) {
    gl->lists[gl->compiling].push_back(stored);
    return;
  }
  drawBitmap(stored);
}

void webCachedBitmap(const void* key, GLsizei width, GLsizei height, GLfloat xorig,
                     GLfloat yorig, GLfloat xmove, GLfloat ymove, const GLubyte* bitmap) {
  auto found = gl->cachedBitmaps.find(key);
  if (found == gl->cachedBitmaps.end()) {
    const int alignment = gl->unpackAlignment;
    gl->unpackAlignment = 1;
    const AtlasBitmap stored = storeBitmap(width, height, xorig, yorig, xmove, ymove, bitmap);
    found = gl->cachedBitmaps.emplace(key, stored).first;
    gl->unpackAlignment = alignment;
  }
  if (gl->compiling != 0) {
    gl->lists[gl->compiling].push_back(found->second);
    return;
  }
  drawBitmap(found->second);
}

// =============================================================================
// DISPLAY LISTS
// =============================================================================

GLuint glGenLists(GLsizei range) {
  if (range <= 0) return 0;
  const GLuint first = gl->nextList;
  gl->nextList += static_cast<GLuint>(range);
  return first;
}

void glDeleteLists(GLuint list, GLsizei range) {
  for (GLsizei i = 0; i < range; ++i) gl->lists.erase(list + static_cast<GLuint>(i));
}

void glNewList(GLuint list, GLenum mode) {
  if (list == 0 || mode != GL_COMPILE || gl->compiling != 0) return;
  gl->compiling = list;
  gl->lists[list].clear();
}

void glEndList(void) { gl->compiling = 0; }

void glListBase(GLuint base) { gl->listBase = base; }

void glCallLists(GLsizei n, GLenum type, const GLvoid* lists) {
  if (type != GL_UNSIGNED_BYTE || lists == nullptr) return;
  const GLubyte* names = static_cast<const GLubyte*>(lists);
  // The names are the bytes of a text (the program's fonts name a glyph's list
  // by its character): the frame's texts for the page.
  if (n > 0) {
    gl->frameTexts.append(reinterpret_cast<const char*>(names), static_cast<size_t>(n));
    gl->frameTexts += '\n';
  }
  for (GLsizei i = 0; i < n; ++i) {
    auto found = gl->lists.find(gl->listBase + names[i]);
    if (found == gl->lists.end()) continue;
    for (const AtlasBitmap& b : found->second) drawBitmap(b);
  }
}

// =============================================================================
// STATE (queries)
// =============================================================================

void glGetBooleanv(GLenum parameter, GLboolean* value) {
  if (parameter == GL_CURRENT_RASTER_POSITION_VALID) {
    *value = gl->rasterValid ? GL_TRUE : GL_FALSE;
    return;
  }
  const bool* flag = capabilityFlag(parameter);
  if (flag != nullptr) *value = *flag ? GL_TRUE : GL_FALSE;
}

void glGetFloatv(GLenum parameter, GLfloat* value) {
  if (parameter == GL_CURRENT_RASTER_POSITION) {
    copy4(value, gl->raster);
  } else if (parameter == GL_LINE_WIDTH) {
    *value = gl->lineWidth;
  } else if (parameter == GL_PROJECTION_MATRIX) {
    for (int i = 0; i < 16; ++i) value[i] = gl->projection.back().m[i];
  }
}
