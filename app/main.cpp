// zeb: the walk-through in a real window.
#include "app/program.h"

int main() { return run_program(); }
