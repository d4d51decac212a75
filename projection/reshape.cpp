// (being written)
#include "projection/reshape.h"
