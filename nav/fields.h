// A module's state, field by field, under the names the replay's `state` prints. Each
// module lists every field of its state beside its reset; the session (app/session.h)
// joins the lists, and the state tests check that a list covers its struct.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct StateValue {
    std::string name;
    bool printed; // false: a grid, a GL name or a matrix, compared but not printed
    bool is_flag;
    double number;  // a number's value
    bool flag;      // a flag's value
    const void* at; // the field itself
    size_t size;    // its bytes
    size_t align;   // its type's alignment
};
using FieldList = std::vector<StateValue>;

void add_field(FieldList* list, const std::string& name, const bool& field);
void add_field(FieldList* list, const std::string& name, const float& field);
void add_field(FieldList* list, const std::string& name, const double& field);
void add_field(FieldList* list, const std::string& name, const int32_t& field);
void add_field(FieldList* list, const std::string& name, const uint32_t& field);
void add_field(FieldList* list, const std::string& name, const int64_t& field);
// A field that is compared but not printed.
template <typename T> void add_unprinted(FieldList* list, const std::string& name, const T& field) {
    list->push_back(StateValue{name, false, false, 0, false, &field, sizeof field, alignof(T)});
}

// An array, numbered from 1: NAME1, NAME2, ...
template <typename T, size_t N> void add_fields(FieldList* list, const std::string& name, const T (&fields)[N]) {
    for (size_t i = 0; i < N; ++i) add_field(list, name + std::to_string(i + 1), fields[i]);
}
