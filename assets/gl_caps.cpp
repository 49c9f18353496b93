#include "gl_caps.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <cstring>

GlCaps gl_caps;

namespace {

// Whole-word match in the space-separated extension list.
bool has_extension(const char* list, const char* name) {
    const size_t length = strlen(name);
    for (const char* p = list; (p = strstr(p, name)) != nullptr; p += length) {
        const bool starts = p == list || p[-1] == ' ';
        const bool ends = p[length] == ' ' || p[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

} // namespace

void query_gl_caps() {
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!list) list = "";
    gl_caps.generate_mipmap = has_extension(list, "GL_SGIS_generate_mipmap");
    gl_caps.lod_bias = has_extension(list, "GL_EXT_texture_lod_bias");
    gl_caps.max_lod_bias = 0;
    if (gl_caps.lod_bias) glGetFloatv(GL_MAX_TEXTURE_LOD_BIAS_EXT, &gl_caps.max_lod_bias);
    gl_caps.anisotropic = has_extension(list, "GL_EXT_texture_filter_anisotropic");
    gl_caps.separate_specular = version && atof(version) >= 1.2;
}

void forget_gl_caps() { gl_caps = GlCaps{}; }
