// The three hanging targets of world 1, the selection pick that hides a hit target, and
// the impact marks that shots leave on the surfaces under the pointer.
#pragma once

#include "scene/vec3.h"

#include <cstdint>

constexpr int TARGET_COUNT = 3;
constexpr int TARGET_RESPAWN_LIMIT = 100;
constexpr float TARGET_SIZE = 0.05f;
constexpr int SELECT_BUFFER_SIZE = 64;

struct TargetState {
    bool target_visible[TARGET_COUNT] = {true, true, true};   // hittable while true
    bool target_shown[TARGET_COUNT] = {true, true, true};     // drawn: as the frame's step found it
    int32_t target_respawn_counter[TARGET_COUNT] = {0, 0, 0}; // frames towards showing a target again
    float row_sway = 0; // x offset of the row: 10 x the frame's bob, copied in by the frame
};
extern TargetState targets;
void reset_targets();

constexpr int MARK_SLOTS = 215;
constexpr uint32_t MARK_STORE_LIMIT = 210;
constexpr uint32_t MARK_VISIBLE_LIMIT = 200;
constexpr uint32_t MARK_RESET_COUNT = 390;
constexpr float MARK_MIN_DEPTH = 0.2f;

// A stored shot: where it landed and the player's view angles when it was recorded. A
// position with y exactly 0 counts as empty.
struct ImpactMark {
    Vec3 position;   // world coordinates
    int32_t heading; // degrees, truncated
    int32_t pitch;
};
struct ImpactMarkRing {
    ImpactMark slots[MARK_SLOTS];
    uint32_t count = 0;    // records since the ring was last emptied
    double last_impact[3]; // the last point found; a too-near surface repeats it
};
struct ImpactMarkState {
    ImpactMarkRing primary_ring;
    ImpactMarkRing secondary_ring;  // records from the 201st primary record on
    uint32_t impact_mark_total = 0; // primary records, wrapped from above 600 to 210
};
extern ImpactMarkState impact_marks;
void reset_impact_marks();

// The row of targets with their selection names, in the caller's frame (after its sway).
void draw_targets();
// Selection pick of the targets in a 2 x 2 region at the pointer, with a fixed 45-degree
// projection and the current camera: exactly one hit hides that target.
void pick_targets();
// Once a frame, before the held weapon's step: keeps the row as it stands for the frame's
// drawing, then every 101 frames all hidden targets show again (from the next frame drawn).
void respawn_targets();
// What one ring's part of a mark pass read: whether the pass ran and took a request, and
// the point under the pointer with the view angles a record keeps.
struct MarkRingReading {
    bool passed = false;   // the ring was drawn
    bool recorded = false; // ... and took its request: one record
    bool found = false;    // the depth lay beyond MARK_MIN_DEPTH: `point` is new
    double point[3] = {0, 0, 0};
    int32_t heading = 0;
    int32_t pitch = 0;
};
struct MarkPassReading {
    MarkRingReading primary;
    MarkRingReading secondary;
};
constexpr int MARK_PASSES_PER_FRAME = 3; // one for each world block a frame can draw
// The mark passes of one frame, in order: kept by the caller for the frame only, never part
// of the session's state.
struct ImpactMarkReadings {
    MarkPassReading passes[MARK_PASSES_PER_FRAME];
    int count = 0;
};

// Once a frame, before the world is drawn, while marks are enabled: a ring whose count
// has passed MARK_RESET_COUNT starts again empty.
void step_impact_marks();
// With the camera transform current and after the world's surfaces: reads the depth under
// the pointer for the requested marks, draws both rings as they stand with this frame's
// records, and adds what it read to `readings`. Changes no state; a pass beyond the
// readings' room draws the rings and leaves the requests for the next frame.
void draw_impact_marks(ImpactMarkReadings* readings);
// Once the frame's mark passes are drawn: applies their readings to the rings and clears
// the requests they took.
void record_impact_marks(const ImpactMarkReadings& readings);
