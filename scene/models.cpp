#include "models.h"

ModelState model_state;

void reset_model_state() { model_state = ModelState{}; }
