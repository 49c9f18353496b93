// A counting layer over the GL calls a drawn object issues. Linked with --wrap for the
// calls it counts, it passes every call on to GL and, while a census is open, records
// textures bound (as slots of the current set), triangles per run, quadric and torus
// calls, the bounds of what is issued and the state the object leaves behind.
#pragma once

#include <string>
#include <utility>
#include <vector>

// One draw_torus call: its sizes and whether clip planes 1 and 2 cut it.
struct CensusTorus {
    float ring_radius, tube_radius;
    int sides, rings;
    bool clip_plane1, clip_plane2;
};

struct CensusResult {
    std::vector<std::pair<int, int>> runs; // (slot, GL_TRIANGLES/GL_QUADS triangles) per bind
    int strip_triangles;                   // triangles of strips and fans (the torus)
    int cylinders, disks, spheres, tori;
    std::vector<CensusTorus> torus_calls; // in call order
    float bounds[6];                      // x0 y0 z0 x1 y1 z1 of vertices and quadric extents, local frame
    bool any_geometry;                    // bounds hold something
    bool matrix_depth_ok;                 // modelview and attribute stacks as deep after as before
    bool colour_kept;                     // current colour unchanged
    int max_matrix_depth;                 // deepest modelview level the object reached, relative to entry
    // GL state on return.
    bool cull_face, blend, texture_2d, clip_plane0, texgen_s, texgen_t, front_face_ccw, separate_specular;
    float point_size;
};

// Slot of each triangle run summed: (slot, triangles).
std::vector<std::pair<int, int>> census_triangles_by_slot(const CensusResult& result);

// Draws `draw` once at an identity modelview matrix and counts what it issues.
CensusResult census_run(void (*draw)());
// One line of JSON: {"name":..., "triangles_by_slot":..., "runs":..., ...}.
std::string census_json(const char* name, const CensusResult& result);
