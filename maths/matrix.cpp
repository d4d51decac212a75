// (being written)
#include "maths/matrix.h"
