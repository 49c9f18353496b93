#include "textures.h"

#include "assets/draw_path.h"
#include "assets/gl_caps.h"
#include "platform/platform.h"

#include <GL/glext.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

TextureSet textures;

void reset_textures() { textures = TextureSet{}; }

void forget_textures() {
    std::fill(std::begin(textures.texture_names), std::end(textures.texture_names), 0u);
    textures.texture_set_loaded = false;
    textures.texture_set_blank = false;
}

namespace {

// With anisotropic filtering on, llvmpipe's cost of a minified texture roughly triples
// with each step of negative bias: the town's densest street at 1024 x 768 took 0.37 s a
// frame at 0, 1.2 s at -1, 4 s at -2, 13 s at -3 and 39 s at -4. Positive biases only
// made frames cheaper, and with anisotropy off no bias from -40 to 40 changed the cost.
constexpr float ANISOTROPIC_LOD_BIAS_FLOOR = 0;

} // namespace

float applied_lod_bias() {
    float bias = static_cast<float>(textures.lod_bias);
    if (textures.anisotropy_enabled && gl_caps.anisotropic) bias = std::max(bias, ANISOTROPIC_LOD_BIAS_FLOOR);
    // GL clamps to its limit anyway (and applies none without the extension); doing it here
    // keeps the sky's magnification proof on the bias GL really uses.
    const float limit = std::max(gl_caps.max_lod_bias, 0.0f);
    return std::clamp(bias, -limit, limit);
}

namespace {

// Whether `path` opens as data: a regular file that can be read.
bool can_open(const char* path) {
    FILE* file = platform_open_file(path);
    if (file) fclose(file);
    return file != nullptr;
}

} // namespace

RgbImage* load_texture_image(const char* path) {
    if (!path || !can_open(path)) return nullptr; // missing: silent, the set just fails
    return load_dib(path);
}

namespace {

void upload_repeating(const RgbImage& image, GLuint name) {
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.data);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
}

void upload_biased(const RgbImage& image, GLuint name) {
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // gluBuild2DMipmaps uploads every level itself: with generation on, the driver would
    // build the chain a second time from level 0 and then see it replaced.
    if (gl_caps.generate_mipmap && draw_path.literal) glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP_SGIS, GL_TRUE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.data);
    if (gl_caps.lod_bias) glTexEnvf(GL_TEXTURE_FILTER_CONTROL_EXT, GL_TEXTURE_LOD_BIAS_EXT, applied_lod_bias());
}

// The first slot of the set that names the same file as `slot` (slot itself if none).
int first_slot_with_file(const char* const* files, int slot) {
    for (int earlier = 0; earlier < slot; ++earlier)
        if (files[earlier] && files[slot] && strcmp(files[earlier], files[slot]) == 0) return earlier;
    return slot;
}

// Reads each file of the set once, however many slots use it; a missing file is named
// in a message box (the first one only: one box per failed set).
bool read_set_images(const char* const* files, RgbImage* images[TEXTURE_SLOTS]) {
    bool all_read = true;
    const char* missing = nullptr;
    for (int slot = 0; slot < TEXTURE_SLOTS; ++slot) {
        const int first = first_slot_with_file(files, slot);
        if (first != slot) {
            images[slot] = images[first];
        } else {
            images[slot] = load_texture_image(files[slot]);
            if (!images[slot] && !missing && files[slot] && !can_open(files[slot])) missing = files[slot];
        }
        all_read = all_read && images[slot];
    }
    if (missing) {
        char text[512];
        snprintf(text, sizeof text, "Cannot open the texture file %s.", missing);
        platform_message_box(text, "Error", MB_OK);
    }
    return all_read;
}

} // namespace

void load_blank_textures() {
    static const unsigned char GREY[3] = {160, 160, 160};
    glGenTextures(TEXTURE_SLOTS, textures.texture_names);
    for (GLuint name : textures.texture_names) {
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR); // one level, complete
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, GREY);
    }
    textures.texture_set_loaded = true;
    textures.texture_set_blank = true;
}

bool load_textures(int world) {
    const WorldRecord* record = world_record(world);
    if (!record) return false;
    const char* const* files = record->texture_files;
    RgbImage* images[TEXTURE_SLOTS] = {};
    const bool all_read = read_set_images(files, images);
    if (all_read) {
        glGenTextures(TEXTURE_SLOTS, textures.texture_names);
        for (int slot = 0; slot < TEXTURE_SLOTS; ++slot) {
            if (record->texture_style == TextureStyle::Repeating)
                upload_repeating(*images[slot], textures.texture_names[slot]);
            else upload_biased(*images[slot], textures.texture_names[slot]);
        }
        textures.texture_set_loaded = true;
        textures.texture_set_blank = false;
    }
    // Freed whether or not the set was complete: a failed set must not keep 30 images.
    for (int slot = 0; slot < TEXTURE_SLOTS; ++slot)
        if (first_slot_with_file(files, slot) == slot) free_rgb_image(images[slot]);
    return all_read;
}

void delete_textures() {
    glDeleteTextures(TEXTURE_SLOTS, textures.texture_names);
    forget_textures();
}
