// (being written)
#include "manipulator/mouse.h"
