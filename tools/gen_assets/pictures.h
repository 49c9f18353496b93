// One generator per texture. All sides are powers of two; tiling textures repeat seamlessly.
#pragma once

#include "bmp_writer.h"

constexpr int SIDE = 256;

// Stone, brick, plaster and floors (pictures_masonry.cpp)
Picture sandstone_ashlar();
Picture mossy_stone();
Picture grey_blocks();
Picture slate();
Picture blue_stone_tiles();
Picture dark_blue_stone_tiles();
Picture marble_floor();
Picture cobblestones();
Picture fieldstone();
Picture red_brick();
Picture weathered_brick();
Picture flaking_whitewash();
Picture ochre_plaster();
Picture stained_plaster();
Picture green_marble();
Picture veined_dark_stone();

// Metal, glass and reflections (pictures_metal.cpp)
Picture bronze_mirror();
Picture polished_steel();
Picture chrome();
Picture gunmetal();
Picture riveted_plate();
Picture window_glass();
Picture water_reflection();
Picture teal_water_reflection();

// Timber, roof and sky (pictures_nature.cpp)
Picture door_planks();
Picture hewn_beam();
Picture plank_floor();
Picture roof_shingles();
Picture sky_masses();
Picture sky_wisps();
Picture sky_puffs();
Picture sky_streaks();

// Emblems and objects (pictures_objects.cpp)
Picture coat_of_arms();
Picture eye();
Picture monitor_screen();
Picture soft_glow();
Picture ringed_planet();
Picture gate_panel();
Picture leaded_glass();
Picture rose_window();
