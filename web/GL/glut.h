// The browser's stand-in for <GL/glut.h>: the part of GLUT that Velorane and
// its toolkit call, with the real names and values, implemented in
// web/glut.cpp (windows as canvases of one page, events from the page) and
// web/shapes.cpp (the solid shapes). How each call differs from the real one
// is told in the opening blocks of those files.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

// Display modes.
#define GLUT_RGB 0
#define GLUT_DOUBLE 2
#define GLUT_DEPTH 16

// Mouse buttons and their states.
#define GLUT_LEFT_BUTTON 0
#define GLUT_MIDDLE_BUTTON 1
#define GLUT_RIGHT_BUTTON 2
#define GLUT_DOWN 0
#define GLUT_UP 1

// Special keys (the page gives these and no others).
#define GLUT_KEY_F1 1
#define GLUT_KEY_F2 2
#define GLUT_KEY_F3 3
#define GLUT_KEY_F4 4
#define GLUT_KEY_F5 5
#define GLUT_KEY_F6 6
#define GLUT_KEY_F7 7
#define GLUT_KEY_F8 8
#define GLUT_KEY_F9 9
#define GLUT_KEY_F10 10
#define GLUT_KEY_F11 11
#define GLUT_KEY_F12 12
#define GLUT_KEY_LEFT 100
#define GLUT_KEY_UP 101
#define GLUT_KEY_RIGHT 102
#define GLUT_KEY_DOWN 103
#define GLUT_KEY_PAGE_UP 104
#define GLUT_KEY_PAGE_DOWN 105
#define GLUT_KEY_HOME 106
#define GLUT_KEY_END 107
#define GLUT_KEY_INSERT 108

// Modifier bits.
#define GLUT_ACTIVE_SHIFT 1
#define GLUT_ACTIVE_CTRL 2
#define GLUT_ACTIVE_ALT 4

// State queries of glutGet.
#define GLUT_WINDOW_X 100
#define GLUT_WINDOW_Y 101
#define GLUT_WINDOW_WIDTH 102
#define GLUT_WINDOW_HEIGHT 103
#define GLUT_ELAPSED_TIME 700

// Fonts, named by handles as GLUT does.
#define GLUT_STROKE_ROMAN (reinterpret_cast<void*>(0))
#define GLUT_STROKE_MONO_ROMAN (reinterpret_cast<void*>(1))
#define GLUT_BITMAP_9_BY_15 (reinterpret_cast<void*>(2))
#define GLUT_BITMAP_8_BY_13 (reinterpret_cast<void*>(3))
#define GLUT_BITMAP_TIMES_ROMAN_10 (reinterpret_cast<void*>(4))
#define GLUT_BITMAP_TIMES_ROMAN_24 (reinterpret_cast<void*>(5))
#define GLUT_BITMAP_HELVETICA_10 (reinterpret_cast<void*>(6))
#define GLUT_BITMAP_HELVETICA_12 (reinterpret_cast<void*>(7))
#define GLUT_BITMAP_HELVETICA_18 (reinterpret_cast<void*>(8))

// Take the command line (the page passes none).
void glutInit(int* argc, char** argv);
// Set the display mode of the windows created next.
void glutInitDisplayMode(unsigned int mode);
// Set the position of the windows created next.
void glutInitWindowPosition(int x, int y);
// Set the size of the windows created next.
void glutInitWindowSize(int width, int height);
// Create a window (a canvas) with its own GL state and make it current; its id.
int glutCreateWindow(const char* title);
// Run the event loop; never returns.
void glutMainLoop(void);

// Set the current window's display callback.
void glutDisplayFunc(void (*callback)(void));
// Set the current window's reshape callback.
void glutReshapeFunc(void (*callback)(int width, int height));
// Set the current window's keyboard callback.
void glutKeyboardFunc(void (*callback)(unsigned char key, int x, int y));
// Set the current window's special-key callback.
void glutSpecialFunc(void (*callback)(int key, int x, int y));
// Set the current window's mouse-button callback.
void glutMouseFunc(void (*callback)(int button, int state, int x, int y));
// Set the current window's callback of moves with a button held.
void glutMotionFunc(void (*callback)(int x, int y));

// Ask for a new frame of the current window.
void glutPostRedisplay(void);
// Ask for a new frame of window `window`.
void glutPostWindowRedisplay(int window);
// Show the current window's frame.
void glutSwapBuffers(void);
// The current window's id.
int glutGetWindow(void);
// A window or timing state value.
int glutGet(GLenum state);
// The modifiers held at the event being handled.
int glutGetModifiers(void);
// Make the current window fill the screen.
void glutFullScreen(void);
// Move the current window (and leave full screen).
void glutPositionWindow(int x, int y);
// Resize the current window (and leave full screen).
void glutReshapeWindow(int width, int height);

// Create a pop-up menu calling `callback` with an entry's value; its id.
int glutCreateMenu(void (*callback)(int value));
// Add an entry to the current menu.
void glutAddMenuEntry(const char* label, int value);
// Open the current menu with a mouse button in the current window.
void glutAttachMenu(int button);

// Draw a character of a GLUT bitmap font at the raster position.
void glutBitmapCharacter(void* font, int character);
// Draw a lit sphere around the origin.
void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks);
// Draw a lit cube around the origin.
void glutSolidCube(GLdouble size);
// Draw a lit cone on the z = 0 plane, its apex on the z axis.
void glutSolidCone(GLdouble base, GLdouble height, GLint slices, GLint stacks);
// Draw a character of a GLUT stroke font at the origin as line strips, in
// font units, and move the modelview on by its advance.
void glutStrokeCharacter(void* font, int character);
