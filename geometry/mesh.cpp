// (being written)
#include "geometry/mesh.h"
