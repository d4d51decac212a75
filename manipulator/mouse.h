/// @file
/// The view manipulator, mouse side: left-button drags with modifiers held
/// turn (Shift, Shift+Ctrl), zoom (Ctrl), pan (Alt) or change two bound floats
/// of the application (Ctrl+Alt); the view transform to apply before drawing;
/// and a timed spin step. Uses the shared state of manipulator/keyboard.h.
#pragma once

#include "manipulator/keyboard.h"

/// A drag started by a modified left-button press is in progress: 0 or 1.
extern int dragActive;
/// Button of the latest mouse-button event, consumed or not.
extern int lastMouseButton;
/// Position of the press or of the latest drag step, window pixels.
///@{
extern int lastMouseX;
extern int lastMouseY;
///@}
/// Projection matrix (column-major) read at the latest mouse-button event.
extern float dragProjection[16];
/// Width of the current window at the latest mouse-button event, pixels.
extern int dragWindowWidth;
/// Pan translation, scene units.
///@{
extern float panX;
extern float panY;
///@}
/// Uniform scale of the view, kept within 1e-6 to 1e6.
extern float zoomFactor;
/// Multiplier of the pan speed.
extern float panFactor;
/// The application's floats that Ctrl+Alt drags change (borrowed; null for
/// none), with their lower bound, upper bound and units per pixel.
///@{
extern float* dragParameterX;
extern float dragParameterXMin;
extern float dragParameterXMax;
extern float dragParameterXScale;
extern float* dragParameterY;
extern float dragParameterYMin;
extern float dragParameterYMax;
extern float dragParameterYScale;
///@}
/// Called after each Ctrl+Alt drag step; null for none.
extern ManipulatorHook dragParameterHook;
/// Window that the timed spin redraws; -1 for the current window.
extern int redisplayWindow;
/// GLUT elapsed time at the previous timed-spin step, milliseconds.
extern int lastSpinTime;

/// Handle a mouse-button event with the modifiers held now. Always records the
/// projection, the window width and the button. A left-button event with a
/// modifier held is consumed: a press starts a drag, a release ends it. Any
/// left-button release ends a drag.
/// @param button  GLUT's button (GLUT_LEFT_BUTTON, ...)
/// @param state   GLUT_DOWN or GLUT_UP
/// @param x, y    the pointer, in window pixels
/// @return 1 when consumed, else 0
int manipulatorHandleMouse(int button, int state, int x, int y);

/// The same as manipulatorHandleMouse with the given combination instead of
/// the modifiers held now (used for left-button events only).
/// @param button, state, x, y  as for manipulatorHandleMouse
/// @param combination          a ModifierCombination
/// @return 1 when consumed, else 0
int manipulatorHandleMouseAs(int button, int state, int x, int y, int combination);

/// Handle pointer motion with a button down: one drag step in the mode
/// decoded at the press.
/// @param x, y  the pointer, in window pixels
/// @return 1 while a left-button drag is active, else 0
int manipulatorHandleMotion(int x, int y);

/// GLUT mouse callback: manipulatorHandleMouse, then a redisplay request
/// (redisplayHook or glutPostRedisplay) when the event was consumed.
/// @param button, state, x, y  as for manipulatorHandleMouse
void manipulatorMouseFunc(int button, int state, int x, int y);

/// GLUT motion callback: manipulatorHandleMotion, then a redisplay request
/// when the step was consumed.
/// @param x, y  the pointer, in window pixels
void manipulatorMotionFunc(int x, int y);

/// Multiply the current OpenGL matrix by the mouse transform: pan, rotation
/// about X, Y, Z, then zoom. No push or pop.
void applyManipulator();

/// One step of the timed spin, shaped as a GLUT idle callback: while the spin
/// is on, turn each mouse angle by 10 degrees per second times spinFactor and
/// request a redraw of redisplayWindow.
void manipulatorIdleFunc();

/// Set the multiplier of the pan speed.
/// @param factor  1 makes the scene follow the pointer under an undistorted
///                orthographic projection
void setPanFactor(float factor);

/// Set the mouse rotation.
/// @param x, y, z  the angles about X, Y and Z, in degrees
void setMouseRotation(float x, float y, float z);

/// Set the window that the timed spin redraws.
/// @param window  a GLUT window id, or -1 for the current window
void setRedisplayWindow(int window);

/// Bind a float to horizontal Ctrl+Alt drags.
/// @param parameter         the float (borrowed), or null to unbind
/// @param minimum, maximum  the bounds it is kept within
/// @param scale             its change per pixel dragged
void setDragParameterX(float* parameter, float minimum, float maximum, float scale);

/// Bind a float to vertical Ctrl+Alt drags (down is positive), as above.
/// @param parameter, minimum, maximum, scale  as for setDragParameterX
void setDragParameterY(float* parameter, float minimum, float maximum, float scale);

/// Set the function called after each Ctrl+Alt drag step.
/// @param hook  the function, or null for none
void setDragParameterHook(ManipulatorHook hook);
