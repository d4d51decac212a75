// (being written)
#include "text/raster_text.h"
