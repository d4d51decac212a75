// (being written)
#include "maths/arc.h"
