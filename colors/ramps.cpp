// (being written)
#include "colors/ramps.h"
