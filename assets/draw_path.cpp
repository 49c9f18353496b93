#include "draw_path.h"

DrawPath draw_path = {false};

void reset_draw_path() { draw_path = DrawPath{false}; }
