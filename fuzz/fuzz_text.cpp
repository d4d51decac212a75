// Fuzz target of the text paths: raster text in the four bitmap fonts and in
// GLUT's bitmap fonts, anchored lines and stroke text, fed arbitrary bytes,
// font numbers, anchors, offsets, alignments, sizes and settings, under
// arbitrary matrices. Every call must leave the matrix stacks, the matrix
// mode and the attribute stack as it found them. Builds on the text module.
#include <GL/glut.h>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_window.h"
#include "text/raster_text.h"
#include "text/stroke_text.h"

// Operations drawn from one input, at most.
static const int kMaxOperations = 24;
// Longest text taken from the input, in bytes: past the 1999 that a text keeps.
static const size_t kMaxText = 2600;
// Widest field width asked of the formatting, in characters.
static const int kMaxFieldWidth = 5000;

// The GLUT bitmap fonts a caller may hand over.
static void* glutFont(int which) {
  switch (which) {
    case 0: return GLUT_BITMAP_8_BY_13;
    case 1: return GLUT_BITMAP_9_BY_15;
    case 2: return GLUT_BITMAP_TIMES_ROMAN_10;
    case 3: return GLUT_BITMAP_TIMES_ROMAN_24;
    case 4: return GLUT_BITMAP_HELVETICA_10;
    case 5: return GLUT_BITMAP_HELVETICA_12;
    default: return GLUT_BITMAP_HELVETICA_18;
  }
}

// Put the module's settings back to their values at start, so that every input
// is judged alone.
static void resetText() {
  textAnchor = Vector4{0.0f, 0.0f, 0.0f, 0.0f};
  textAnchorValid = 0;
  setTextOffset(0.0f, 0.0f, 0.0f);
  setGlutTextStyle(GLUT_BITMAP_8_BY_13, kTextLeftAligned);
  setStrokeBold(0);
  setStrokeSmooth(0);
  setStrokeSpacing(0.0f);
}

static void loadAnyMatrix(FuzzedDataProvider* input) {
  GLfloat m[16];
  for (GLfloat& element : m) element = anyFloat(input);
  const bool projection = input->ConsumeBool();
  if (projection) glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(m);
  if (projection) glMatrixMode(GL_MODELVIEW);
}

static void runOperation(FuzzedDataProvider* input) {
  switch (choice(input, 15)) {
    case 0: {
      const float x = anyFloat(input), y = anyFloat(input), z = anyFloat(input);
      setRasterPosition(x, y, z);
      break;
    }
    case 1: {
      const float dx = anyFloat(input), dy = anyFloat(input), dz = anyFloat(input);
      setTextOffset(dx, dy, dz);
      break;
    }
    case 2: setTextAlignment(anyInt(input)); break;
    case 3: {
      const int depthTest = anyInt(input), font = anyInt(input);
      printText(depthTest, font, "%s", anyText(input, kMaxText).c_str());
      break;
    }
    case 4: {
      const int font = anyInt(input);
      printTextOnTop(font, "%s", anyText(input, kMaxText).c_str());
      break;
    }
    case 5: printStandardText("%s", anyText(input, kMaxText).c_str()); break;
    case 6: {
      void* font = glutFont(choice(input, 7));
      setGlutTextStyle(font, anyInt(input));
      break;
    }
    case 7: {
      const float x = anyFloat(input), y = anyFloat(input), z = anyFloat(input);
      void* font = glutFont(choice(input, 7));
      printGlutTextAtWithFont(x, y, z, font, "%s", anyText(input, kMaxText).c_str());
      break;
    }
    case 8: {
      const float x = anyFloat(input), y = anyFloat(input), z = anyFloat(input);
      printGlutTextAt(x, y, z, "%s", anyText(input, kMaxText).c_str());
      break;
    }
    case 9: printGlutText("%s", anyText(input, kMaxText).c_str()); break;
    case 10: {
      const int x1 = anyInt(input), y1 = anyInt(input), x2 = anyInt(input), y2 = anyInt(input);
      drawAnchoredLine(x1, y1, x2, y2);
      break;
    }
    case 11: {
      const float x = anyFloat(input), y = anyFloat(input), size = anyFloat(input);
      printStrokeText(x, y, size, "%s", anyText(input, kMaxText).c_str());
      break;
    }
    case 12:
      setStrokeBold(anyInt(input));
      setStrokeSmooth(anyInt(input));
      setStrokeSpacing(anyFloat(input));
      break;
    case 13: loadAnyMatrix(input); break;
    default: {
      // A formatted text wider than the buffer: it is cut after 1999 bytes.
      const int depthTest = anyInt(input), font = anyInt(input);
      const int width = input->ConsumeIntegralInRange<int>(0, kMaxFieldWidth);
      const std::string text = anyText(input, 64);
      printText(depthTest, font, "%*s", width, text.c_str());
      printStrokeText(0.0f, 0.0f, 1.0f, "%*s", width / 8, text.c_str());
      break;
    }
  }
  checkContextRestored("a text operation");
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  (void)argc;
  (void)argv;
  openFuzzWindow("fuzz_text");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  resetContext();
  resetText();
  for (int i = 0; i < kMaxOperations && input.remaining_bytes() > 0; ++i) runOperation(&input);
  glFinish();
  return 0;
}
