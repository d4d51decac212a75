// (being written)
#include "menu/quit_menu.h"
