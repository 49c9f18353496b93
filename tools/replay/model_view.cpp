#include "model_view.h"

#include "app/window.h"
#include "scene/blocks.h"
#include "scene/models.h"
#include "scene/world_objects.h"
#include "tools/census/census.h"
#include "render/view.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>

namespace {

const ModelEntry* find_model(const std::string& name) {
    for (const ModelEntry& entry : MODEL_CATALOGUE)
        if (name == entry.name) return &entry;
    for (const ModelEntry& entry : PLACED_OBJECTS)
        if (name == entry.name) return &entry;
    return nullptr;
}

// The horizontal direction (x, z) a model's front looks to; solids are seen from -z.
void front_direction(unsigned front, float* x, float* z) {
    *x = front == FACE_POS_X ? 1.0f : front == FACE_NEG_X ? -1.0f : 0.0f;
    *z = front == FACE_POS_Z ? 1.0f : (front == FACE_POS_X || front == FACE_NEG_X) ? 0.0f : -1.0f;
}

} // namespace

bool view_model(const std::string& name, float heading, float pitch, float distance) {
    const ModelEntry* entry = find_model(name);
    if (!entry) return false;
    // Framing needs the model's bounds; counting draws it, so keep its variables as they were.
    const ModelState kept = model_state;
    const WorldObjectState kept_objects = world_objects;
    const CensusResult census = census_run(entry->draw);
    model_state = kept;
    world_objects = kept_objects;

    const float* b = census.bounds;
    const float cx = (b[0] + b[3]) / 2, cy = (b[1] + b[4]) / 2, cz = (b[2] + b[5]) / 2;
    const float radius =
        0.5f * std::sqrt((b[3] - b[0]) * (b[3] - b[0]) + (b[4] - b[1]) * (b[4] - b[1]) + (b[5] - b[2]) * (b[5] - b[2]));
    constexpr float FIELD = 40, RAD = 3.14159265f / 180;
    if (distance <= 0) distance = std::fmax(radius, 0.05f) / std::sin(FIELD / 2 * RAD) * 1.05f;
    float fx = 0, fz = 0;
    front_direction(entry->front, &fx, &fz);
    const float h = heading * RAD, p = pitch * RAD;
    const float dx = (fx * std::cos(h) - fz * std::sin(h)) * std::cos(p);
    const float dz = (fx * std::sin(h) + fz * std::cos(h)) * std::cos(p);
    const float dy = std::sin(p);

    glClearColor(0.42f, 0.47f, 0.52f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(FIELD, static_cast<double>(view.view_width) / view.view_height, 0.01, 500);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat light[4] = {-0.4f, 0.8f, -0.6f, 0}; // over the viewer's left shoulder
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    gluLookAt(cx + dx * distance, cy + dy * distance, cz + dz * distance, cx, cy, cz, 0, 1, 0);
    glColor3ub(250, 250, 250);
    entry->draw();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFinish();
    return true;
}

bool print_model_census(const std::string& name) {
    const ModelEntry* entry = find_model(name);
    if (!entry) return false;
    const CensusResult result = census_run(entry->draw);
    printf("%s\n", census_json(entry->name, result).c_str());
    fflush(stdout);
    return true;
}
