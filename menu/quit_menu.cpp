// The quit menu on the right mouse button. Builds on GLUT only.
#include "menu/quit_menu.h"

#include <GL/glut.h>

#include <cstdlib>

QuitMenuHook quitMenuExitHook = nullptr;  // called before exit through the menu

void attachQuitMenu() {
  // With the Windows GLUT library the GLUT header routes this call through
  // the exit-aware entry point, handing it the C library's exit.
  glutCreateMenu(quitMenuSelect);
  glutAddMenuEntry("Quitter", kQuitMenuQuitValue);
  glutAttachMenu(GLUT_RIGHT_BUTTON);
}

void quitMenuSelect(int value) {
  if (value == kQuitMenuQuitValue) {
    if (quitMenuExitHook != nullptr) quitMenuExitHook();
    exit(0);
  }
  glutPostRedisplay();
}

void setQuitMenuExitHook(QuitMenuHook hook) { quitMenuExitHook = hook; }
