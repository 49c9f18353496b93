#include "targets.h"

TargetState targets = {{true, true, true}, {0, 0, 0}};

void reset_targets() { targets = TargetState{{true, true, true}, {0, 0, 0}}; }
