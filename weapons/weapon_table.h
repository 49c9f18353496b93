// The hand-held weapons as a table: one record per weapon holds all of its behaviour, and
// the rest of the program reaches a weapon only through its row. A weapon's state is its
// member of weapon_state; its key is a row of the key bindings (app/input.cpp).
#pragma once

#include "nav/fields.h"
#include "platform/input_event.h"

struct WeaponRecord {
    // The sounds it plays, read before the first frame so that no shot waits on a file.
    const char* sounds[2];
    // A mouse button over the weapon: sounds and target picks at once, flags for its step.
    // A release reaches only the weapon held when the button goes up.
    void (*press)(MouseButton button);
    void (*release)(MouseButton button);
    // Once a frame, at the end of the step pass: its firing state advances and the offsets
    // its drawing applies are kept. Picks it makes here see the frame's camera.
    void (*step)();
    // Its model over the scene, in camera space, as its last step left it: reads only.
    void (*draw)();
    // Its member of weapon_state, field by field, for the session's state.
    void (*list_fields)(FieldList* out);
};

extern const WeaponRecord WEAPON1;
extern const WeaponRecord WEAPON2;
extern const WeaponRecord WEAPON3;
extern const WeaponRecord WEAPON4;
extern const WeaponRecord WEAPON5;

// Weapon n's record, n from 1 to weapon_count(); null for 0 (none held) and any other n.
const WeaponRecord* weapon_record(int n);
int weapon_count();
