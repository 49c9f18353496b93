#include "census.h"

#include "assets/textures.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

// The real entry points, reached through the linker's --wrap.
extern "C" {
void __real_glBegin(GLenum mode);
void __real_glEnd();
void __real_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void __real_glVertex3fv(const GLfloat* v);
void __real_glBindTexture(GLenum target, GLuint texture);
void __real_gluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks);
void __real_gluDisk(GLUquadric* q, GLdouble inner, GLdouble outer, GLint slices, GLint loops);
void __real_gluSphere(GLUquadric* q, GLdouble radius, GLint slices, GLint stacks);
void __real__Z10draw_torusffii(float ring_radius, float tube_radius, int sides, int rings);
}

namespace {

struct Recorder {
    bool open;          // a census is running
    int torus_depth;    // inside draw_torus: its strips are not counted twice
    GLenum mode;        // of the open glBegin
    int vertices;       // issued since glBegin
    GLfloat matrix[16]; // modelview at glBegin
    int entry_depth;    // modelview stack depth at the census start
    CensusResult result;
};
Recorder recorder;

void add_point(const GLfloat* m, float x, float y, float z) {
    const float p[3] = {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
                        m[2] * x + m[6] * y + m[10] * z + m[14]};
    float* b = recorder.result.bounds;
    if (!recorder.result.any_geometry) {
        for (int k = 0; k < 3; ++k) b[k] = b[k + 3] = p[k];
        recorder.result.any_geometry = true;
        return;
    }
    for (int k = 0; k < 3; ++k) {
        b[k] = std::min(b[k], p[k]);
        b[k + 3] = std::max(b[k + 3], p[k]);
    }
}

void read_modelview() {
    glGetFloatv(GL_MODELVIEW_MATRIX, recorder.matrix);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    recorder.result.max_matrix_depth = std::max(recorder.result.max_matrix_depth, depth - recorder.entry_depth);
}

// The points GLU puts round a circle of `slices` (x = r sin a, y = r cos a) at height z.
void add_circle(double radius, int slices, double z) {
    for (int i = 0; i < slices; ++i) {
        const double a = 2 * M_PI * i / slices;
        add_point(recorder.matrix, static_cast<float>(radius * std::sin(a)), static_cast<float>(radius * std::cos(a)),
                  static_cast<float>(z));
    }
}

void vertex(float x, float y, float z) {
    if (!recorder.open || recorder.torus_depth > 0) return;
    recorder.vertices += 1;
    add_point(recorder.matrix, x, y, z);
}

int slot_of(GLuint name) {
    for (int slot = 0; slot < TEXTURE_SLOTS; ++slot)
        if (textures.texture_names[slot] == name) return slot;
    return -1;
}

bool enabled(GLenum cap) { return glIsEnabled(cap) == GL_TRUE; }

} // namespace

extern "C" {

void __wrap_glBegin(GLenum mode) {
    if (recorder.open && recorder.torus_depth == 0) {
        read_modelview();
        recorder.mode = mode;
        recorder.vertices = 0;
    }
    __real_glBegin(mode);
}

void __wrap_glEnd() {
    __real_glEnd();
    if (!recorder.open || recorder.torus_depth > 0) return;
    CensusResult& r = recorder.result;
    int triangles = 0;
    switch (recorder.mode) {
    case GL_TRIANGLES:
        triangles = recorder.vertices / 3;
        break;
    case GL_QUADS:
        triangles = recorder.vertices / 4 * 2;
        break;
    case GL_TRIANGLE_STRIP:
    case GL_TRIANGLE_FAN:
    case GL_QUAD_STRIP:
        r.strip_triangles += std::max(0, recorder.vertices - 2);
        return;
    default:
        return;
    }
    if (r.runs.empty()) r.runs.push_back({-1, 0}); // geometry before any bind
    r.runs.back().second += triangles;
}

void __wrap_glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    vertex(x, y, z);
    __real_glVertex3f(x, y, z);
}

void __wrap_glVertex3fv(const GLfloat* v) {
    vertex(v[0], v[1], v[2]);
    __real_glVertex3fv(v);
}

void __wrap_glBindTexture(GLenum target, GLuint texture) {
    if (recorder.open && target == GL_TEXTURE_2D) recorder.result.runs.push_back({slot_of(texture), 0});
    __real_glBindTexture(target, texture);
}

void __wrap_gluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks) {
    if (recorder.open) {
        recorder.result.cylinders += 1;
        read_modelview();
        add_circle(base, slices, 0);
        add_circle(top, slices, height);
    }
    __real_gluCylinder(q, base, top, height, slices, stacks);
}

void __wrap_gluDisk(GLUquadric* q, GLdouble inner, GLdouble outer, GLint slices, GLint loops) {
    if (recorder.open) {
        recorder.result.disks += 1;
        read_modelview();
        add_circle(outer, slices, 0);
    }
    __real_gluDisk(q, inner, outer, slices, loops);
}

void __wrap_gluSphere(GLUquadric* q, GLdouble radius, GLint slices, GLint stacks) {
    if (recorder.open) {
        recorder.result.spheres += 1;
        read_modelview();
        const float r = static_cast<float>(radius);
        add_point(recorder.matrix, -r, -r, -r);
        add_point(recorder.matrix, r, r, r);
    }
    __real_gluSphere(q, radius, slices, stacks);
}

void __wrap__Z10draw_torusffii(float ring_radius, float tube_radius, int sides, int rings) {
    if (recorder.open) {
        recorder.result.tori += 1;
        recorder.result.torus_calls.push_back(CensusTorus{ring_radius, tube_radius, sides, rings,
                                                          glIsEnabled(GL_CLIP_PLANE1) == GL_TRUE,
                                                          glIsEnabled(GL_CLIP_PLANE2) == GL_TRUE});
        read_modelview();
        const float outer = ring_radius + tube_radius;
        add_point(recorder.matrix, -outer, -outer, -tube_radius);
        add_point(recorder.matrix, outer, outer, tube_radius);
    }
    recorder.torus_depth += 1;
    __real__Z10draw_torusffii(ring_radius, tube_radius, sides, rings);
    recorder.torus_depth -= 1;
}

} // extern "C"

CensusResult census_run(void (*draw)()) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    GLint matrix_before = 0, attrib_before = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &matrix_before);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attrib_before);
    GLfloat colour_before[4];
    glGetFloatv(GL_CURRENT_COLOR, colour_before);

    recorder = Recorder{};
    recorder.open = true;
    recorder.entry_depth = matrix_before;
    draw();
    recorder.open = false;
    CensusResult r = recorder.result;

    GLint matrix_after = 0, attrib_after = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &matrix_after);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attrib_after);
    GLfloat colour_after[4];
    glGetFloatv(GL_CURRENT_COLOR, colour_after);
    r.matrix_depth_ok = matrix_after == matrix_before && attrib_after == attrib_before;
    r.colour_kept = std::equal(colour_before, colour_before + 4, colour_after);
    r.cull_face = enabled(GL_CULL_FACE);
    r.blend = enabled(GL_BLEND);
    r.texture_2d = enabled(GL_TEXTURE_2D);
    r.clip_plane0 = enabled(GL_CLIP_PLANE0);
    r.texgen_s = enabled(GL_TEXTURE_GEN_S);
    r.texgen_t = enabled(GL_TEXTURE_GEN_T);
    GLint front = 0, colour_control = 0;
    glGetIntegerv(GL_FRONT_FACE, &front);
    glGetIntegerv(GL_LIGHT_MODEL_COLOR_CONTROL, &colour_control);
    r.front_face_ccw = front == GL_CCW;
    r.separate_specular = colour_control == GL_SEPARATE_SPECULAR_COLOR;
    glGetFloatv(GL_POINT_SIZE, &r.point_size);
    glPopMatrix();
    return r;
}

std::vector<std::pair<int, int>> census_triangles_by_slot(const CensusResult& result) {
    std::map<int, int> sums;
    for (const auto& run : result.runs)
        if (run.second > 0) sums[run.first] += run.second;
    return {sums.begin(), sums.end()};
}

std::string census_json(const char* name, const CensusResult& r) {
    std::string out = "{\"name\": \"" + std::string(name) + "\", \"triangles_by_slot\": {";
    bool first = true;
    for (const auto& [slot, triangles] : census_triangles_by_slot(r)) {
        out += (first ? "\"" : ", \"") + std::to_string(slot) + "\": " + std::to_string(triangles);
        first = false;
    }
    out += "}, \"runs\": [";
    first = true;
    for (const auto& [slot, triangles] : r.runs) {
        out += (first ? "[" : ", [") + std::to_string(slot) + ", " + std::to_string(triangles) + "]";
        first = false;
    }
    char head[256];
    std::snprintf(head, sizeof head,
                  "], \"strip_triangles\": %d, \"cylinders\": %d, \"disks\": %d, \"spheres\": %d, \"tori\": %d, "
                  "\"bounds\": [",
                  r.strip_triangles, r.cylinders, r.disks, r.spheres, r.tori);
    out += head;
    // JSON has no NaN or infinity: a bound that is not finite is written as null.
    for (int k = 0; k < 6; ++k) {
        char number[32] = "null";
        if (std::isfinite(r.bounds[k])) std::snprintf(number, sizeof number, "%.4g", static_cast<double>(r.bounds[k]));
        out += (k ? ", " : "") + std::string(number);
    }
    char tail[256];
    std::snprintf(tail, sizeof tail, "], \"matrix_depth_ok\": %s, \"colour_kept\": %s, \"max_matrix_depth\": %d}",
                  r.matrix_depth_ok ? "true" : "false", r.colour_kept ? "true" : "false", r.max_matrix_depth);
    return out + tail;
}
