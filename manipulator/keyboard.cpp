// (being written)
#include "manipulator/keyboard.h"
