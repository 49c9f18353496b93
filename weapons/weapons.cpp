#include "weapons.h"

#include "weapons/weapon_table.h"

void select_weapon(int weapon) { weapon_state.held_weapon = weapon; }

// A release only reaches the weapon held now: a weapon put away with its button down
// keeps firing when it is taken again, until the button goes up over it.
void on_mouse_button(MouseButton button, bool down) {
    const WeaponRecord* held = weapon_record(weapon_state.held_weapon);
    if (!held) return;
    if (down) held->press(button);
    else if (held->release) held->release(button);
}

void step_held_weapon() {
    if (const WeaponRecord* held = weapon_record(weapon_state.held_weapon)) held->step();
}

void draw_held_weapon() {
    if (const WeaponRecord* held = weapon_record(weapon_state.held_weapon)) held->draw();
}

void take_mark_request() {
    WeaponState& w = weapon_state;
    if (!w.marks_asked) return;
    w.marks_asked = false;
    w.impact_marks_enabled = true;
    w.mark_request_primary = true;
    w.mark_request_secondary = true;
}
