// The browser's stand-in for <GL/gl.h>: the part of OpenGL 1.1 that Velorane
// and its toolkit call, with the real names, types and enum values, drawn by
// web/gl.cpp over WebGL 1. Only what the program and the toolkit call is
// declared; how each call differs from the real one is told in web/gl.cpp's
// opening block.
#pragma once

#include <cstddef>

typedef unsigned int GLenum;
typedef unsigned char GLboolean;
typedef unsigned int GLbitfield;
typedef void GLvoid;
typedef int GLint;
typedef unsigned char GLubyte;
typedef unsigned int GLuint;
typedef int GLsizei;
typedef float GLfloat;
typedef float GLclampf;
typedef double GLdouble;

#define GL_FALSE 0
#define GL_TRUE 1

// Primitives.
#define GL_POINTS 0x0000
#define GL_LINES 0x0001
#define GL_LINE_STRIP 0x0003
#define GL_QUADS 0x0007
#define GL_POLYGON 0x0009

// Buffers and attribute groups.
#define GL_DEPTH_BUFFER_BIT 0x00000100
#define GL_COLOR_BUFFER_BIT 0x00004000
#define GL_LIST_BIT 0x00020000

// Capabilities.
#define GL_LINE_SMOOTH 0x0B20
#define GL_CULL_FACE 0x0B44
#define GL_LIGHTING 0x0B50
#define GL_DEPTH_TEST 0x0B71
#define GL_NORMALIZE 0x0BA1
#define GL_ALPHA_TEST 0x0BC0
#define GL_BLEND 0x0BE2
#define GL_AUTO_NORMAL 0x0D80
#define GL_LIGHT0 0x4000
#define GL_LIGHT1 0x4001

// Functions and factors.
#define GL_LESS 0x0201
#define GL_ALWAYS 0x0207
#define GL_SRC_ALPHA 0x0302
#define GL_ONE_MINUS_SRC_ALPHA 0x0303

// Lights and materials.
#define GL_FRONT 0x0404
#define GL_LIGHT_MODEL_TWO_SIDE 0x0B52
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_SPECULAR 0x1202
#define GL_POSITION 0x1203

// Matrices, lists, pixels and queries.
#define GL_COMPILE 0x1300
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_UNSIGNED_BYTE 0x1401
#define GL_UNPACK_ALIGNMENT 0x0CF5
#define GL_LINE_WIDTH 0x0B21
#define GL_CURRENT_RASTER_POSITION 0x0B07
#define GL_CURRENT_RASTER_POSITION_VALID 0x0B08
#define GL_PROJECTION_MATRIX 0x0BA7

// Begin a primitive of vertices.
void glBegin(GLenum mode);
// End the primitive begun last and draw it.
void glEnd(void);
// Give the normal of the vertices that follow.
void glNormal3d(GLdouble x, GLdouble y, GLdouble z);
// Give the normal of the vertices that follow.
void glNormal3f(GLfloat x, GLfloat y, GLfloat z);
// Add a vertex.
void glVertex3d(GLdouble x, GLdouble y, GLdouble z);
// Add a vertex.
void glVertex3f(GLfloat x, GLfloat y, GLfloat z);
// Add a vertex from three floats.
void glVertex3fv(const GLfloat* v);
// Add a homogeneous vertex.
void glVertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w);
// Set the current colour from four floats.
void glColor4fv(const GLfloat* c);

// Switch a capability on.
void glEnable(GLenum capability);
// Switch a capability off.
void glDisable(GLenum capability);
// Set the blend factors.
void glBlendFunc(GLenum source, GLenum destination);
// Set the depth comparison.
void glDepthFunc(GLenum function);
// Set a pixel unpacking parameter.
void glPixelStorei(GLenum parameter, GLint value);
// Set a light's parameter.
void glLightfv(GLenum light, GLenum parameter, const GLfloat* value);
// Set a parameter of the light model.
void glLightModeli(GLenum parameter, GLint value);
// Set a material parameter.
void glMaterialfv(GLenum face, GLenum parameter, const GLfloat* value);
// Save attribute groups.
void glPushAttrib(GLbitfield mask);
// Restore the attribute groups saved last.
void glPopAttrib(void);

// Choose the matrix that later matrix calls change.
void glMatrixMode(GLenum mode);
// Replace the current matrix by the identity.
void glLoadIdentity(void);
// Save the current matrix on its stack.
void glPushMatrix(void);
// Restore the current matrix from its stack.
void glPopMatrix(void);
// Multiply the current matrix by a rotation of angle degrees about (x, y, z).
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
// Multiply the current matrix by a scale.
void glScalef(GLfloat x, GLfloat y, GLfloat z);
// Multiply the current matrix by a translation.
void glTranslatef(GLfloat x, GLfloat y, GLfloat z);
// Multiply the current matrix by an orthographic projection.
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
             GLdouble zFar);
// Multiply the current matrix by a perspective projection.
void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar);
// Set the viewport in window pixels.
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height);

// Clear buffers.
void glClear(GLbitfield mask);
// Set the colour that clears the colour buffer.
void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
// Send the drawing so far to the canvas.
void glFlush(void);

// Set the raster position from a homogeneous point.
void glRasterPos4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w);
// Draw a bitmap at the raster position and move the raster position on.
void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
              GLfloat ymove, const GLubyte* bitmap);

// Reserve a range of display-list names; the first, or 0.
GLuint glGenLists(GLsizei range);
// Give back a range of display-list names.
void glDeleteLists(GLuint list, GLsizei range);
// Start compiling a display list.
void glNewList(GLuint list, GLenum mode);
// End the display list being compiled.
void glEndList(void);
// Set the offset added to the names of glCallLists.
void glListBase(GLuint base);
// Run display lists named by an array of offsets.
void glCallLists(GLsizei n, GLenum type, const GLvoid* lists);

// Read boolean state.
void glGetBooleanv(GLenum parameter, GLboolean* value);
// Read float state.
void glGetFloatv(GLenum parameter, GLfloat* value);

// Set the width of lines, in pixels.
void glLineWidth(GLfloat width);
