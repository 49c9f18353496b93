#include "player_state.h"

#include "nav/keys.h"

PlayerState player;
MovementState movement;
LiftSequence lift;
PointerState pointer;

void reset_player() {
    player = PlayerState{};
    movement = MovementState{};
    lift = LiftSequence{};
    pointer = PointerState{};
    reset_keys();
}
