#include "targets.h"

bool target_visible[TARGET_COUNT] = {true, true, true};
