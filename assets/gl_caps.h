// Optional OpenGL features of the current context.
#pragma once

struct GlCaps {
    bool generate_mipmap; // GL_SGIS_generate_mipmap
    bool lod_bias;        // GL_EXT_texture_lod_bias
    float max_lod_bias;   // ... and the largest bias it applies either way (0 without it)
    bool anisotropic;     // GL_EXT_texture_filter_anisotropic
    bool separate_specular; // the 1.2 light-model colour control
};
extern GlCaps gl_caps;

// Reads the extension string of the current context.
void query_gl_caps();
