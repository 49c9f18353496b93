// Optional OpenGL features of the current context.
#pragma once

struct GlCaps {
    bool generate_mipmap = false;   // GL_SGIS_generate_mipmap
    bool lod_bias = false;          // GL_EXT_texture_lod_bias
    float max_lod_bias = 0;         // ... and the largest bias it applies either way (0 without it)
    bool anisotropic = false;       // GL_EXT_texture_filter_anisotropic
    bool separate_specular = false; // the 1.2 light-model colour control
};
// A per-context cache, not session state: filled when a context is set up, forgotten
// with it (and by the session reset), so no context reads another's features.
extern GlCaps gl_caps;

// Reads the extension string of the current context.
void query_gl_caps();
// After the context has gone: no features known until the next query.
void forget_gl_caps();
