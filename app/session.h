// The whole session's state: one reset that start-up, the tests and the replay all use,
// and every module's fields by name for the replay's `state`.
#pragma once

#include "nav/fields.h"

#include <cstddef>

// Every module back to its defaults, as a fresh process starts; the level's triangles
// are freed and the texture set and the font are forgotten (their context is gone).
void reset_session();

// One module's state: the global, its bytes, and the list of its fields.
struct SessionModule {
    const void* state;
    size_t size;
    size_t align;
    void (*list)(FieldList* out);
};
extern const SessionModule SESSION_MODULES[];
extern const size_t SESSION_MODULE_COUNT;

// Every module's fields, in table order.
void list_session_fields(FieldList* out);
