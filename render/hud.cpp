#include "hud.h"

#include "assets/font.h"
#include "assets/textures.h"
#include "nav/player.h"
#include "render/frame_state.h"
#include "render/level_mesh.h"
#include "render/view.h"
#include "scene/blocks.h"
#include "render/fps.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Texture slots, rows of the current world's texture set.
constexpr int UPPER_ICON_SLOT = 28; // the icon beside each panel's upper number
constexpr int LOWER_ICON_SLOT = 29; // ... and beside its lower one

} // namespace

HudState hud;

void reset_hud() { hud = HudState{}; }

namespace {

constexpr float HUD_DEPTH = -0.25f;   // eye-space distance of crosshair and panels
constexpr int QUIT_PROMPT_BELOW = 80; // rows from the view's centre down to the quit question

// A panel: a rectangle facing the eye, (x0, y0) lower left to (x1, y1) upper right.
void panel(float x0, float y0, float x1, float y1, float z) { draw_face({x0, y0, z, x1, y1, z}, FACE_POS_Z); }

// The same with the whole texture of a slot.
void icon(int slot, float x0, float y0, float x1, float y1, float z) {
    bind_slot(slot);
    panel(x0, y0, x1, y1, z);
}

// The HUD was laid out for a 1024 x 768 view. In a view of another size what sits near
// a corner keeps its distance from that corner.
constexpr float LAYOUT_WIDTH = 1024, LAYOUT_HEIGHT = 768;
float from_right(float x) { return static_cast<float>(view.view_width) - (LAYOUT_WIDTH - x); }
float from_bottom(float y) { return static_cast<float>(view.view_height) - (LAYOUT_HEIGHT - y); }

// A number at the lower right starts where the layout puts it, unless it is longer than
// the layout's three digits (a view wider than 1024): then it keeps the layout's right
// margin instead of running out of the view.
constexpr float RIGHT_NUMBER_X = 945;
void print_right_number(float y, int value) {
    char text[16];
    snprintf(text, sizeof text, "%i", value);
    const float margin = LAYOUT_WIDTH - (RIGHT_NUMBER_X + text_width("999"));
    const float x =
        std::min(from_right(RIGHT_NUMBER_X), static_cast<float>(view.view_width) - margin - text_width(text));
    print_text(x, y, "%s", text);
}

// The panels sit in eye space at HUD_DEPTH near the view's left and right edges: the
// sideways shift that keeps them there when the view is wider or narrower than 4:3.
float panel_shift() {
    if (view.view_width <= 0 || view.view_height <= 0) return 0;
    const double aspect = static_cast<double>(view.view_width) / view.view_height;
    const double half_height = -HUD_DEPTH * std::tan(view.field_of_view * 3.14159265358979 / 360.0);
    return static_cast<float>(half_height * (aspect - LAYOUT_WIDTH / LAYOUT_HEIGHT));
}

} // namespace

void draw_crosshair() {
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glColor3ub(0, 200, 0);
    glTranslatef(0, 0, HUD_DEPTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_POINT_SMOOTH);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glPointSize(3);
    const float points[8][2] = {{0, 0.002f},        {0, 0.001f},       {-0.002f, -0.001f}, {0.002f, -0.001f},
                                {-0.003f, -0.001f}, {0.003f, -0.001f}, {0, -0.002f},       {0, -0.003f}};
    glBegin(GL_POINTS);
    for (const auto& p : points) glVertex3f(p[0], p[1], 0);
    glEnd();
    glDisable(GL_BLEND);
    glDisable(GL_POINT_SMOOTH);
    glColor3ub(0, 0, 0);
    glEnable(GL_TEXTURE_2D);
    glPopAttrib();
    glPopMatrix();
}

void draw_hud_panels() {
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT);
    glLoadIdentity();
    glTranslatef(0, 0, HUD_DEPTH);
    glDisable(GL_TEXTURE_2D);
    glColor3ub(70, 70, 70);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    const float shift = panel_shift();
    if (shift != 0) glTranslatef(-shift, 0, 0);
    panel(-0.1315f, -0.0985f, -0.1f, -0.076f, 0.01f);
    glEnable(GL_TEXTURE_2D);
    glColor3ub(250, 250, 250);
    icon(UPPER_ICON_SLOT, -0.134f, -0.1f, -0.123f, -0.09f, 0.004f);
    icon(LOWER_ICON_SLOT, -0.134f, -0.089f, -0.123f, -0.079f, 0.004f);
    glDisable(GL_TEXTURE_2D);
    glColor3ub(70, 70, 70);
    glTranslatef(0, 0, -0.0004f);
    if (shift != 0) glTranslatef(2 * shift, 0, 0);
    panel(0.1f, -0.0985f, 0.1315f, -0.076f, 0.01f);
    glEnable(GL_TEXTURE_2D);
    glColor3ub(250, 250, 250);
    icon(UPPER_ICON_SLOT, 0.103f, -0.1f, 0.114f, -0.09f, 0.004f);
    icon(LOWER_ICON_SLOT, 0.103f, -0.089f, 0.114f, -0.079f, 0.004f);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3ub(0, 0, 0);
    glPopAttrib();
    glPopMatrix();
}

void begin_overlay() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, view.view_width, view.view_height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void end_overlay() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void settle_hud_counts() {
    hud.hud_printed = HudCounts{frame_state.hud_triangle_total, level_draw.visible_count, level_draw.culled_count,
                                level_draw.degenerate_count};
    level_draw.degenerate_count = 0;
    level_draw.visible_count = 0;
    level_draw.culled_count = 0;
}

void draw_hud_text() {
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT);
    glColor3f(1, 1, 1);
    // Bitmaps are textured like any fragment: with a texture bound the lines would take
    // the colour of whatever texel the current coordinate names. The text is white.
    glDisable(GL_TEXTURE_2D);
    // The first line sits 20 rows down, lower where its capitals would rise out of the view.
    const float first_line = static_cast<float>(std::max(20, font_ascent()));
    print_text(1, first_line, "FPS     : %0.1f", static_cast<double>(frame_counter.fps_value));
    print_text(1, 100, "xpos, zpos, w  %f,%f,%f", static_cast<double>(player.x), static_cast<double>(player.z),
               static_cast<double>(player.eye_height));
    print_text(1, 160, "dist, ypos %f, %f", static_cast<double>(hud.dist_readout), 0.0);
    print_text(55, from_bottom(749), "%i", view.view_width - 25);
    print_text(55, from_bottom(709), "%i", view.view_height);
    print_right_number(from_bottom(749), view.view_width - 25);
    const HudCounts& counts = hud.hud_printed;
    print_right_number(from_bottom(709), counts.degenerate);
    print_text(1, 60, "poligon, vid, nevid %i, %i, %i", counts.triangles, counts.visible, counts.culled);
    if (hud.quit_prompt_frames > 0)
        print_text((static_cast<float>(view.view_width) - text_width(QUIT_PROMPT)) / 2,
                   static_cast<float>(view.view_height / 2 + QUIT_PROMPT_BELOW), "%s", QUIT_PROMPT);
    glEnable(GL_TEXTURE_2D);
    glPopAttrib();
    glPopMatrix();
}
