#include "player_state.h"

#include "nav/keys.h"

PlayerState player;
MovementState movement;
LiftSequence lift;
PointerState pointer;
MouseLook mouse_look;

void reset_player() {
    player = PlayerState{};
    movement = MovementState{};
    lift = LiftSequence{};
    pointer = PointerState{};
    mouse_look = MouseLook{};
    reset_keys();
}
