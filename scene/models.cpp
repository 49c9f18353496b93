#include "models.h"

ModelState model_state = {0};

void reset_model_state() { model_state = ModelState{0}; }
