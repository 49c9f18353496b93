// The scene's fixed OpenGL state and the current world's assets.
#pragma once

// Sets the fixed state and loads, in order: the world's own set-up (world 1's water), the
// texture set (replacing the previous world's), the font, the level and the particles.
// False when the texture set could not be read.
bool init_scene();
// Deletes the GL objects the scene holds in the current context (the texture set, the
// font's lists and glyph texture) and forgets their names; closing the window calls it
// while the context is still current.
void release_scene();
// Forgets those names and the context's features without a GL call, for a context that
// is gone or was never made current. Settings (the LOD bias, anisotropy) and everything else stay.
void forget_scene();
// After a failed init_scene on a world change: the world's level, font and particles
// with grey stand-ins for its textures, so no other world's geometry stays in place.
void load_world_untextured();
// Keys X and Z: GL lighting and its one light on or off, at once; a new context starts
// with them off.
void set_lighting(bool on);
