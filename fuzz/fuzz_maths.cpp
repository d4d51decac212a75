// Fuzz target of the vector, matrix and arc functions, fed arbitrary floats
// (NaN, infinities, denormals, huge values) and arbitrary counts and modes.
// Besides crashes and sanitizer reports it checks what must hold for every
// input: a function whose output may be one of its inputs gives the same bits
// either way, every produced direction has w = 0, and the arcs leave the
// matrix stacks as they found them. Builds on the maths module.
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_window.h"
#include "maths/arc.h"
#include "maths/matrix.h"
#include "maths/vector.h"

// Operations drawn from one input, at most.
static const int kMaxOperations = 32;
// Arc segments asked for, at most: the count is the caller's, and a huge one only
// costs time.
static const int kMaxSegments = 64;

static Vector4 anyVector(FuzzedDataProvider* input) {
  const float x = anyFloat(input), y = anyFloat(input), z = anyFloat(input);
  return Vector4{x, y, z, anyFloat(input)};
}

static Matrix4 anyMatrix(FuzzedDataProvider* input) {
  Matrix4 m;
  for (float& element : m.m) element = anyFloat(input);
  return m;
}

// Abort (a finding) unless the two objects hold the same bits.
template <typename T>
static void expectSameBits(const T& a, const T& b, const char* what) {
  if (std::memcmp(&a, &b, sizeof(T)) != 0) {
    std::fprintf(stderr, "%s: the result depends on whether the output is an input\n", what);
    std::abort();
  }
}

static void expectDirection(const Vector4& v, const char* what) {
  if (v.w != 0.0f || std::signbit(v.w)) {
    std::fprintf(stderr, "%s: produced a vector with w = %g, not 0\n", what, v.w);
    std::abort();
  }
}

static void vectorOperation(FuzzedDataProvider* input) {
  const Vector4 a = anyVector(input), b = anyVector(input);
  Vector4 out{}, aliased = a;
  switch (choice(input, 7)) {
    case 0:
      vectorBetween(&a, &b, &out);
      vectorBetween(&aliased, &b, &aliased);
      expectSameBits(out, aliased, "vectorBetween");
      expectDirection(out, "vectorBetween");
      break;
    case 1:
      unitVectorBetween(&a, &b, &out);
      unitVectorBetween(&aliased, &b, &aliased);
      expectSameBits(out, aliased, "unitVectorBetween");
      expectDirection(out, "unitVectorBetween");
      break;
    case 2: (void)distanceBetween(&a, &b); break;
    case 3: {
      const int normalised = normalize(&aliased);
      if (normalised == 0) expectSameBits(a, aliased, "normalize of a zero vector");
      if (std::memcmp(&aliased.w, &a.w, sizeof a.w) != 0) {
        std::fprintf(stderr, "normalize changed w\n");
        std::abort();
      }
      break;
    }
    case 4: (void)dot(&a, &b); break;
    case 5:
      cross(&a, &b, &out);
      expectDirection(out, "cross");
      break;
    default: {
      const float angle = angleBetween(&a, &b, &out);
      const float again = angleBetween(&aliased, &b, &aliased);
      expectSameBits(angle, again, "angleBetween (angle)");
      expectSameBits(out, aliased, "angleBetween (axis)");
      expectDirection(out, "angleBetween");
      break;
    }
  }
}

static void matrixOperation(FuzzedDataProvider* input) {
  Matrix4 m = anyMatrix(input);
  switch (choice(input, 9)) {
    case 0: matrixIdentity(&m); break;
    case 1: {
      const float angle = anyFloat(input), x = anyFloat(input), y = anyFloat(input);
      matrixRotation(&m, angle, x, y, anyFloat(input));
      break;
    }
    case 2: matrixRotationX(&m, anyFloat(input)); break;
    case 3: matrixRotationY(&m, anyFloat(input)); break;
    case 4: matrixRotationZ(&m, anyFloat(input)); break;
    case 5: {
      const float x = anyFloat(input), y = anyFloat(input);
      matrixScale(&m, x, y, anyFloat(input));
      break;
    }
    case 6: {
      const float x = anyFloat(input), y = anyFloat(input);
      matrixTranslation(&m, x, y, anyFloat(input));
      break;
    }
    case 7: printMatrix(&m); break;
    default: break;  // the matrix as read from the input
  }
  // Apply it, with and without the output being an input.
  const Vector4 v = anyVector(input);
  Vector4 out{}, aliased = v;
  matrixTimesVector(&m, &v, &out);
  matrixTimesVector(&m, &aliased, &aliased);
  expectSameBits(out, aliased, "matrixTimesVector");
  const Matrix4 other = anyMatrix(input);
  Matrix4 product{}, left = m, right = other;
  matrixProduct(&m, &other, &product);
  matrixProduct(&left, &other, &left);
  matrixProduct(&m, &right, &right);
  expectSameBits(product, left, "matrixProduct (out is a)");
  expectSameBits(product, right, "matrixProduct (out is b)");
}

static void arcOperation(FuzzedDataProvider* input) {
  const Vector4 from = anyVector(input), to = anyVector(input), centre = anyVector(input);
  const int segments = input->ConsumeIntegralInRange<int>(-4, kMaxSegments);
  const float radius = anyFloat(input);
  const int asLineStrip = anyInt(input);
  Vector4 out{};
  switch (choice(input, 7)) {
    case 0: {
      const int headMode = anyInt(input);
      const float headAngle = anyFloat(input), headSize = anyFloat(input);
      drawArc(&from, &to, segments, radius, asLineStrip, headMode, headAngle, headSize);
      break;
    }
    case 1: drawPlainArc(&from, &to, segments, radius, asLineStrip); break;
    case 2: drawArcAround(&from, &to, &centre, segments, radius, asLineStrip); break;
    case 3: drawArcAtTip(&from, &to, segments, radius, asLineStrip); break;
    case 4:
      arcMidpoint(&from, &to, radius, &out);
      expectDirection(out, "arcMidpoint");
      break;
    case 5:
      arcMidpointAround(&from, &to, &centre, radius, &out);
      expectDirection(out, "arcMidpointAround");
      break;
    default:
      arcMidpointAtTip(&from, &to, radius, &out);
      expectDirection(out, "arcMidpointAtTip");
      break;
  }
  checkContextRestored("an arc");
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  (void)argc;
  (void)argv;
  openFuzzWindow("fuzz_maths");
  // printMatrix writes to standard output; the fuzzer reports on standard error.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  resetContext();
  for (int i = 0; i < kMaxOperations && input.remaining_bytes() > 0; ++i) {
    switch (choice(&input, 3)) {
      case 0: vectorOperation(&input); break;
      case 1: matrixOperation(&input); break;
      default: arcOperation(&input); break;
    }
  }
  glFinish();
  return 0;
}
