// Objects the frame composition places itself, outside the town's layout table. Each draws
// in its own local frame at the current modelview matrix; the frame gives the placement.
#pragma once

#include "scene/blocks.h"
#include "scene/models.h"
#include "scene/vec3.h"

struct WorldObjectState {
    float spinner_angle = 0;       // degrees, -6 per turn of the spiral spinner, never wrapped
    float spinner_drawn_angle = 0; // where the last turn started: the spinner is drawn at it
};
extern WorldObjectState world_objects;
void reset_world_objects();

// Whether a box in the current modelview's frame may reach a pixel: the table-driven
// objects below draw only the pieces it accepts.
using BoxSeen = bool (*)(const Box& box);
bool any_box_seen(const Box& box); // every box: the whole object

// World 1: the hall's walls, ceiling and wall panels, and its three ornaments.
void draw_world1_hall();
void draw_world1_hall_where(BoxSeen seen); // the texture bound after it as after the whole
void draw_spoked_wheel();
void draw_spiral_spinner(); // magenta whatever the current colour, at spinner_drawn_angle
void turn_spiral_spinner(); // the frame's turn of the spinner
// Leaves its scale and colour set: the caller's placement block restores them.
void draw_bracket_row();

// The town: the blocks along its east edge, the lantern, the two hanging signs (swinging
// with the animation's sign angle) and the six gates at their places.
void draw_town_blocks();
void draw_glow_lantern();
// The lantern's glowing globe, in the lantern's placement (its scale of 2 applied).
constexpr Vec3 LANTERN_GLOBE_CENTRE = {2.18f, 1.4f, -0.22f};
constexpr double LANTERN_GLOBE_RADIUS = 0.8;
void draw_hanging_oval_sign();
void draw_hanging_board_sign();
void draw_world2_gates();
void draw_world2_gates_where(BoxSeen seen); // each gate judged by its box at its height

// World 3: a block of cartridges. Leaves its scale and colour set like the bracket row.
void draw_cartridge_block();

// The ten by name, in frame order, for tools and tests (solids: no single front).
extern const ModelEntry PLACED_OBJECTS[10];
