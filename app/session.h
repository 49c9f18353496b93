// The whole session's state: one reset that start-up, the tests and the replay all use,
// and every module's fields by name for the replay's `state`.
#pragma once

#include "nav/fields.h"

#include <cstddef>

// Every module back to its defaults, as a fresh process starts; the level's triangles
// and the visible sets are freed, and the per-context caches (the texture set, the font,
// the extension caps) are forgotten: their context is gone.
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

// The per-context caches: what a GL context gave (its extensions, the font's list base)
// and holds only while it lives. Not session state, so neither printed nor kept across
// F1; forgotten with the context and by reset_session(), which a fresh process's values
// must match as the fields do.
void list_context_caches(FieldList* out);
