#include "fields.h"

namespace {

void add_number(FieldList* list, const std::string& name, double value, const void* at, size_t size) {
    list->push_back(StateValue{name, true, false, value, false, at, size, size});
}

} // namespace

void add_field(FieldList* list, const std::string& name, const bool& field) {
    list->push_back(StateValue{name, true, true, 0, field, &field, sizeof field, alignof(bool)});
}
void add_field(FieldList* list, const std::string& name, const float& field) {
    add_number(list, name, field, &field, sizeof field);
}
void add_field(FieldList* list, const std::string& name, const double& field) {
    add_number(list, name, field, &field, sizeof field);
}
void add_field(FieldList* list, const std::string& name, const int32_t& field) {
    add_number(list, name, field, &field, sizeof field);
}
void add_field(FieldList* list, const std::string& name, const uint32_t& field) {
    add_number(list, name, field, &field, sizeof field);
}
void add_field(FieldList* list, const std::string& name, const int64_t& field) {
    add_number(list, name, static_cast<double>(field), &field, sizeof field);
}
