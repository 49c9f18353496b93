// The program state as named scalars: what zeb-replay's `state` prints and `expect`
// tests, and what zeb's recording checks at its end.
#pragma once

#include <string>
#include <vector>

struct StateField {
    enum class Kind { Number, Flag };
    std::string name;
    Kind kind;
    double number;
    bool flag;
};

// Scalar fields, in print order. The same in zeb (for a recording's final checks) and in
// zeb-replay.
std::vector<StateField> collect_state();
