/// @file
/// The view manipulator, keyboard side and shared state: decodes the held
/// modifier keys into one of six combinations, turns the view with keys and
/// special keys, switches the timed spin and its speed, toggles full screen,
/// and offers ready-made GLUT callbacks. Event handlers return 1 when they
/// consumed the event and 0 otherwise. The mouse side (manipulator/mouse.h)
/// uses the variables declared here. All angles are in degrees.
#pragma once

/// The combination of modifier keys held at a key, special-key or
/// left-button event; the mouse side uses it as the drag mode.
enum ModifierCombination {
  modNone = 0,       ///< no modifier
  modShift = 1,      ///< Shift without Ctrl (Alt may be held too)
  modShiftCtrl = 2,  ///< Shift and Ctrl, without Alt
  modCtrl = 3,       ///< Ctrl without Shift and without Alt
  modAlt = 4,        ///< Alt alone
  modCtrlAlt = 5,    ///< Ctrl and Alt (Shift may be held too)
};

/// @name Key codes of GLUT's keyboard callback
/// The keys that the manipulator and the program treat specially.
///@{
constexpr unsigned char kKeyEnter = 13;        ///< Enter (Return)
constexpr unsigned char kKeyEscape = 27;       ///< Esc: ends the program
constexpr unsigned char kKeyFullScreen = '#';  ///< toggles full screen
///@}

/// A function without arguments or result, called by the manipulator.
typedef void (*ManipulatorHook)(void);

/// Combination decoded at the latest key, special-key or left-button event.
extern int currentModifiers;
/// Keyboard rotation about X, Y and Z, in degrees.
///@{
extern float keyRotationX;
extern float keyRotationY;
extern float keyRotationZ;
///@}
/// Mouse rotation about X, Y and Z, in degrees (changed by drags and the spin).
///@{
extern float mouseRotationX;
extern float mouseRotationY;
extern float mouseRotationZ;
///@}
/// Whether the timed spin turns the view: 0 or 1.
extern int spinEnabled;
/// Speed factor of the timed spin, kept within 1e-6 to 1e6.
extern float spinFactor;
/// Whether the window was last switched to full screen: 0 or 1.
extern int fullScreenActive;
/// Window position and size saved on entering full screen, in pixels.
///@{
extern int windowedX;
extern int windowedY;
extern int windowedWidth;
extern int windowedHeight;
///@}
/// Called just before the program exits on Esc; null for none.
extern ManipulatorHook exitHook;
/// Called by every manipulator callback instead of glutPostRedisplay; null
/// for none.
extern ManipulatorHook redisplayHook;

/// The combination for GLUT modifier bits.
/// @param glutModifierBits  GLUT_ACTIVE_SHIFT 1, GLUT_ACTIVE_CTRL 2 and
///                          GLUT_ACTIVE_ALT 4; a negative value (GLUT's answer
///                          outside an input callback) counts as no modifier
/// @return a ModifierCombination
int modifierCombination(int glutModifierBits);

/// The combination of the modifier keys held now.
/// @return a ModifierCombination; meaningful only inside a GLUT keyboard,
///         special-key or mouse-button callback, elsewhere modNone
int decodeModifiers();

/// Handle a key with the modifiers held now. Shift+Enter switches the spin,
/// "x" "y" "z" turn by +2 degrees and "X" "Y" "Z" by -2, kKeyFullScreen
/// toggles full screen (returns 0), Esc calls exitHook and exits with status 0.
/// @param key   the key's code, as GLUT's keyboard callback gives it
/// @param x, y  the pointer, in window pixels (unused)
/// @return 1 when consumed, else 0
int manipulatorHandleKey(unsigned char key, int x, int y);

/// The same as manipulatorHandleKey with the given combination instead of
/// the modifiers held now (synthetic events, callers that decode themselves).
/// @param key          the key's code
/// @param combination  a ModifierCombination
/// @return 1 when consumed, else 0
int manipulatorHandleKeyAs(unsigned char key, int combination);

/// Handle a special key with the modifiers held now. Arrow and page keys turn
/// the keyboard rotation (1 degree, 10 with Alt held), change the spin speed
/// with Shift, or reset the view with Ctrl.
/// @param key   GLUT's code of the special key (GLUT_KEY_LEFT, ...)
/// @param x, y  the pointer, in window pixels (unused)
/// @return 1 when consumed, else 0
int manipulatorHandleSpecial(int key, int x, int y);

/// The same as manipulatorHandleSpecial with the given combination.
/// @param key          GLUT's code of the special key
/// @param combination  a ModifierCombination
/// @return 1 when consumed, else 0
int manipulatorHandleSpecialAs(int key, int combination);

/// GLUT keyboard callback: manipulatorHandleKey, then a redisplay request
/// (redisplayHook or glutPostRedisplay) when the key was consumed.
/// @param key, x, y  as for manipulatorHandleKey
void manipulatorKeyboardFunc(unsigned char key, int x, int y);

/// GLUT special-key callback: manipulatorHandleSpecial, then a redisplay
/// request when the key was consumed.
/// @param key, x, y  as for manipulatorHandleSpecial
void manipulatorSpecialFunc(int key, int x, int y);

/// Request a redraw: redisplayHook when set, else glutPostRedisplay of the
/// current window.
void manipulatorPostRedisplay();

/// Multiply the current OpenGL matrix by the keyboard rotation: about X, then
/// Y, then Z. No push or pop: the caller frames it.
void applyKeyRotation();

/// Set the keyboard rotation.
/// @param x, y, z  the angles about X, Y and Z, in degrees
void setKeyRotation(float x, float y, float z);

/// Set the function called before the program exits on Esc.
/// @param hook  the function, or null for none
void setExitHook(ManipulatorHook hook);

/// Set the function called instead of glutPostRedisplay.
/// @param hook  the function, or null for none
void setRedisplayHook(ManipulatorHook hook);
