// (being written)
#include "geometry/arrows.h"
