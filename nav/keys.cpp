#include "keys.h"

KeyState keys = {};

void reset_keys() { keys.fill(false); }
