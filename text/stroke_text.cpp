// (being written)
#include "text/stroke_text.h"
