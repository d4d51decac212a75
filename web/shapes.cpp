// GLUT's solid shapes as the program draws them, built from the GL calls of
// web/gl.cpp in the current window: glutSolidSphere (stacks from +z to -z,
// slices from +x towards +y, a normal at every vertex), glutSolidCube (six
// faces with face normals) and glutSolidCone (base on z = 0 with a normal
// down, sides with smooth normals, apex on +z). Front faces are
// counter-clockwise seen from outside, as GLUT's are; the order in which the
// facets are sent, and so where two facets of equal depth overlap, may differ
// from GLUT's.
#include <GL/glut.h>

#include <cmath>
#include <vector>

void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks) {
  if (slices < 1 || stacks < 1) return;
  const double kPi = M_PI;
  std::vector<double> cosPhi(static_cast<size_t>(slices) + 1), sinPhi(cosPhi.size());
  for (int j = 0; j <= slices; ++j) {
    const double phi = 2.0 * kPi * (j == slices ? 0 : j) / slices;
    cosPhi[static_cast<size_t>(j)] = std::cos(phi);
    sinPhi[static_cast<size_t>(j)] = std::sin(phi);
  }
  glBegin(GL_QUADS);
  {
    for (int i = 0; i < stacks; ++i) {
      const double theta0 = kPi * i / stacks;
      const double theta1 = kPi * (i + 1) / stacks;
      const double z0 = std::cos(theta0), r0 = std::sin(theta0);
      const double z1 = std::cos(theta1), r1 = std::sin(theta1);
      for (int j = 0; j < slices; ++j) {
        const size_t a = static_cast<size_t>(j), b = static_cast<size_t>(j) + 1;
        const double corners[4][3] = {{cosPhi[a] * r0, sinPhi[a] * r0, z0},
                                      {cosPhi[a] * r1, sinPhi[a] * r1, z1},
                                      {cosPhi[b] * r1, sinPhi[b] * r1, z1},
                                      {cosPhi[b] * r0, sinPhi[b] * r0, z0}};
        for (const double* c : corners) {
          glNormal3d(c[0], c[1], c[2]);
          glVertex3d(c[0] * radius, c[1] * radius, c[2] * radius);
        }
      }
    }
  }
  glEnd();
}

void glutSolidCube(GLdouble size) {
  const double h = size / 2.0;
  // Each face: its normal, then its corners counter-clockwise seen from outside.
  static const int kFaces[6][5][3] = {
      {{1, 0, 0}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}},
      {{-1, 0, 0}, {-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}},
      {{0, 1, 0}, {-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}},
      {{0, -1, 0}, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}},
      {{0, 0, 1}, {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},
      {{0, 0, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}}};
  glBegin(GL_QUADS);
  {
    for (const auto& face : kFaces) {
      glNormal3d(face[0][0], face[0][1], face[0][2]);
      for (int k = 1; k < 5; ++k) glVertex3d(face[k][0] * h, face[k][1] * h, face[k][2] * h);
    }
  }
  glEnd();
}

void glutSolidCone(GLdouble base, GLdouble height, GLint slices, GLint stacks) {
  if (slices < 1 || stacks < 1) return;
  const double side = std::sqrt(height * height + base * base);
  const double nz = side > 0.0 ? base / side : 0.0;
  const double nr = side > 0.0 ? height / side : 0.0;
  std::vector<double> cosPhi(static_cast<size_t>(slices) + 1), sinPhi(cosPhi.size());
  for (int j = 0; j <= slices; ++j) {
    const double phi = 2.0 * M_PI * (j == slices ? 0 : j) / slices;
    cosPhi[static_cast<size_t>(j)] = std::cos(phi);
    sinPhi[static_cast<size_t>(j)] = std::sin(phi);
  }
  glBegin(GL_POLYGON);
  {
    glNormal3d(0.0, 0.0, -1.0);
    for (int j = slices; j > 0; --j) {
      const size_t a = static_cast<size_t>(j);
      glVertex3d(cosPhi[a] * base, sinPhi[a] * base, 0.0);
    }
  }
  glEnd();
  glBegin(GL_QUADS);
  {
    for (int i = 0; i < stacks; ++i) {
      const double r0 = base * (stacks - i) / stacks, r1 = base * (stacks - i - 1) / stacks;
      const double z0 = height * i / stacks, z1 = height * (i + 1) / stacks;
      for (int j = 0; j < slices; ++j) {
        const size_t a = static_cast<size_t>(j), b = static_cast<size_t>(j) + 1;
        const double corners[4][3] = {{cosPhi[a] * r0, sinPhi[a] * r0, z0},
                                      {cosPhi[b] * r0, sinPhi[b] * r0, z0},
                                      {cosPhi[b] * r1, sinPhi[b] * r1, z1},
                                      {cosPhi[a] * r1, sinPhi[a] * r1, z1}};
        const size_t around[4] = {a, b, b, a};
        for (int k = 0; k < 4; ++k) {
          glNormal3d(cosPhi[around[k]] * nr, sinPhi[around[k]] * nr, nz);
          glVertex3d(corners[k][0], corners[k][1], corners[k][2]);
        }
      }
    }
  }
  glEnd();
}
