#include "draw_path.h"

DrawPath draw_path;

void reset_draw_path() { draw_path = DrawPath{}; }
