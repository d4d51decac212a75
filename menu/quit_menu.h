/// @file
/// The quit menu: a popup menu with the single entry "Quitter" on the right
/// mouse button of the current window. Choosing it ends the program with
/// status 0, after an optional exit hook.
#pragma once

/// Value of the "Quitter" entry, which quitMenuSelect receives when it is chosen.
constexpr int kQuitMenuQuitValue = 0;

/// A function without arguments or result, called before the menu exits.
typedef void (*QuitMenuHook)(void);

/// Called before the program exits through the menu; null for none.
extern QuitMenuHook quitMenuExitHook;

/// Create a new menu with the entry "Quitter" (kQuitMenuQuitValue) and attach
/// it to the right button of the current window. The menu stays GLUT's
/// current menu, so entries added next reach quitMenuSelect with their own
/// values.
void attachQuitMenu();

/// The menu callback: kQuitMenuQuitValue calls quitMenuExitHook (when set) and
/// exits with status 0; any other value requests a redraw of the current window.
/// @param value  the value of the entry chosen
void quitMenuSelect(int value);

/// Set the function called before the program exits through the menu.
/// @param hook  the function, or null for none
void setQuitMenuExitHook(QuitMenuHook hook);
