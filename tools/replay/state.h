// The program state that `state` prints and `expect` tests.
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

// Scalar fields, in print order.
std::vector<StateField> collect_state();
// The whole state as one JSON object: the scalar fields plus the message boxes and
// sound requests recorded so far.
std::string state_json();
