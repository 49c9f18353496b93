// Every file the generator writes: where it goes and what makes it.
#pragma once

#include "pictures.h"
#include "sounds.h"

enum class PictureFormat { rgb24, indexed8, rle8 };

struct PictureFile {
    const char* path; // relative to the output directory
    Picture (*make)();
    PictureFormat format;
};

// Flat-coloured drawings are stored palettised; the rest need full colour.
// clang-format off
inline constexpr PictureFile PICTURE_FILES[] = {
    {"text/AGerb.bmp", coat_of_arms, PictureFormat::indexed8},
    {"text/astena103.bmp", mossy_stone, PictureFormat::rgb24},
    {"text/derevo201.bmp", door_planks, PictureFormat::rgb24},
    {"text/derevo202.bmp", hewn_beam, PictureFormat::rgb24},
    {"text/derevo203.bmp", plank_floor, PictureFormat::rgb24},
    {"text/dusha001.bmp", soft_glow, PictureFormat::rgb24},
    {"text/ekran001.bmp", monitor_screen, PictureFormat::rgb24},
    {"text/ff/001.bmp", teal_water_reflection, PictureFormat::rgb24},
    {"text/ff/index_03.bmp", gate_panel, PictureFormat::rle8},
    {"text/ff/stena330t.bmp", blue_stone_tiles, PictureFormat::rgb24},
    {"text/ff/stena330tt.bmp", dark_blue_stone_tiles, PictureFormat::rgb24},
    {"text/glaz.bmp", eye, PictureFormat::indexed8},
    {"text/krisha101.bmp", roof_shingles, PictureFormat::rgb24},
    {"text/nebo101.bmp", sky_masses, PictureFormat::rgb24},
    {"text/nebo102.bmp", sky_wisps, PictureFormat::rgb24},
    {"text/nebo103.bmp", sky_puffs, PictureFormat::rgb24},
    {"text/nebo104.bmp", sky_streaks, PictureFormat::rgb24},
    {"text/poll001.bmp", marble_floor, PictureFormat::rgb24},
    {"text/poll201.bmp", cobblestones, PictureFormat::rgb24},
    {"text/saturn001.bmp", ringed_planet, PictureFormat::rgb24},
    {"text/stena001.bmp", sandstone_ashlar, PictureFormat::rgb24},
    {"text/stena002.bmp", flaking_whitewash, PictureFormat::rgb24},
    {"text/stena003.bmp", bronze_mirror, PictureFormat::rgb24},
    {"text/stena004.bmp", green_marble, PictureFormat::rgb24},
    {"text/stena005.bmp", veined_dark_stone, PictureFormat::rgb24},
    {"text/stena006.bmp", gunmetal, PictureFormat::rgb24},
    {"text/stena007.bmp", polished_steel, PictureFormat::rgb24},
    {"text/stena008.bmp", slate, PictureFormat::rgb24},
    {"text/stena014.bmp", riveted_plate, PictureFormat::rgb24},
    {"text/stena101.bmp", ochre_plaster, PictureFormat::rgb24},
    {"text/stena1011.bmp", fieldstone, PictureFormat::rgb24},
    {"text/stena1013.bmp", grey_blocks, PictureFormat::rgb24},
    {"text/stena102.bmp", red_brick, PictureFormat::rgb24},
    {"text/stena104.bmp", window_glass, PictureFormat::rgb24},
    {"text/stena105.bmp", weathered_brick, PictureFormat::rgb24},
    {"text/stena106.bmp", stained_plaster, PictureFormat::rgb24},
    {"text/stena108.bmp", chrome, PictureFormat::rgb24},
    {"text/vitraj101.bmp", leaded_glass, PictureFormat::rle8},
    {"text/vitraj102.bmp", rose_window, PictureFormat::rle8},
    {"text/voda001.bmp", water_reflection, PictureFormat::rgb24},
};
// clang-format on

struct SoundFile {
    const char* path;
    Sound (*make)();
};

// clang-format off
inline constexpr SoundFile SOUND_FILES[] = {
    {"text/Shot.wav", make_shot},
    {"text/Explode.wav", make_explosion},
    {"text/a_avion01.wav", make_engine},
};
// clang-format on
