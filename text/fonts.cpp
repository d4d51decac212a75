// (being written)
#include "text/fonts.h"
