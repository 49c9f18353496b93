// Per-world texture sets: 31 slots, each a mipmapped RGB texture.
#pragma once

#include "assets/bmp.h"
#include "nav/world_table.h"

#include <GL/gl.h>
#include <cstdint>

struct TextureSet {
    GLuint texture_names[TEXTURE_SLOTS]; // the current world's set, by slot
    bool texture_set_loaded = false;     // texture_names holds a live set
    bool texture_set_blank = false;      // ... of plain grey stand-ins (the real set failed)
    int32_t lod_bias = 0;                // texture LOD bias (keys Q and W)
    bool anisotropy_enabled = false;     // anisotropic filtering (keys E and R)
};
extern TextureSet textures;
void reset_textures(); // back to the defaults, the filtering settings too (the session's reset)
// Forgets the set's names after its context has gone. The LOD bias and the anisotropy
// switch are the user's settings, not the context's: they stay for the next context.
void forget_textures();

// The LOD bias the textures are sampled with: lod_bias where the driver keeps a frame's
// cost bounded, else the nearest value that does. Everything that sets the bias in GL, or
// reasons about which mipmap level GL picks, uses this value, never lod_bias itself.
float applied_lod_bias();

// Reads world `world`'s (1 to WORLD_COUNT) 31 files and uploads them. False, with nothing uploaded
// and texture_names unchanged, when any file is missing or unreadable; the first
// missing file is named in a message box. A file used by several slots is read once.
bool load_textures(int world);
// Fills every slot with a plain grey texture: the level stays visible, untextured,
// when its set failed.
void load_blank_textures();
// Deletes the current set in the current context and forgets its names (a world switch
// does this before the next set loads; closing the window before the context goes).
void delete_textures();
// Null for a null path or a file that cannot be opened; otherwise the bitmap reader's result.
RgbImage* load_texture_image(const char* path);
