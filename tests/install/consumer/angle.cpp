// The angle between two directions, with the vector maths alone.
#include <cstdio>

#include "maths/vector.h"

int main() {
  Vector4 a = {1, 0, 0, 0};
  Vector4 b = {1, 1, 0, 0};
  Vector4 axis;
  float angle = angleBetween(&a, &b, &axis);
  std::printf("%.3f degrees about (%.3f, %.3f, %.3f)\n", angle, axis.x, axis.y, axis.z);
  return 0;
}
