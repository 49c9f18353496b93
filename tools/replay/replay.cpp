// zeb-replay: runs the program's core in the headless backend from a script.
//
// Usage: zeb-replay SCRIPT (or - for standard input); the data is found as zeb finds it.
// See zeb-replay(6) or docs/tools.md for the script language. Exit code 0 when every line
// ran and every expectation held; 1 on a script error or a failed expectation; 2 on a
// usage error.
#include "app/input.h"
#include "app/program.h"
#include "app/session.h"
#include "app/settings.h"
#include "app/state.h"
#include "app/window.h"
#include "assets/bmp.h"
#include "assets/draw_path.h"
#include "assets/textures.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "platform/headless.h"
#include "render/frame.h"
#include "json.h"
#include "model_view.h"
#include "platform/screenshot.h"
#include "platform/script.h"
#include "render/scene_setup.h"
#include "nav/keys.h"
#include "nav/contacts.h"
#include "render/probe.h"
#include "render/view.h"
#include "scene/world2_layout.h"
#include "tools/census/census.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Line = ScriptLine;

struct Replay {
    int line = 0;
    bool started = false;
    std::string error;              // set by a failing command
    double memory_baseline_mb = -1; // peak resident MB at `memory_baseline`, -1 before one
    std::string start_dir;          // the working directory zeb-replay was started in
    bool moved = false;             // the data directory became the working directory
    int startup_answer = 0;         // `mode`: IDYES or IDNO given in advance; 0 asks
    Settings settings;              // `setting` lines so far; never the user's file
};

Replay g_replay;

bool fail(const std::string& text) {
    g_replay.error = text;
    return false;
}

// --- helpers -------------------------------------------------------------------------

// Starts the program the first time something needs it running, in the data directory
// found as zeb finds it (the working directory, beside the executable, ../share/zeb beside
// it, $ZEB_DATA): the program reads text/ relative to the working directory, so that one
// is made the working directory. Lines before need no data (`bmp` reads its own files).
void ensure_started() {
    if (g_replay.started) return;
    g_replay.started = true;
    struct stat info;
    const bool here = stat("text", &info) == 0 && S_ISDIR(info.st_mode);
    char looked[4096] = "";
    if (!platform_find_data_dir("text", looked, sizeof looked)) {
        fprintf(stderr, "line %d: zeb-replay cannot find its data directory text/. It looked in:\n%s", g_replay.line,
                looked);
        exit(1);
    }
    g_replay.moved = !here;
    program_start(startup_answer_of(g_replay.settings, g_replay.startup_answer));
}

// A file the script names, relative to the directory zeb-replay was started in, even
// once the data directory has become the working directory. False when that directory
// is no longer known (it could not be read at start).
bool script_file(const std::string& name, std::string* path) {
    *path = name;
    if (!g_replay.moved || name.empty() || name[0] == '/') return true;
    if (g_replay.start_dir.empty()) return fail("cannot place " + name + ": the starting directory is unknown");
    *path = g_replay.start_dir + "/" + name;
    return true;
}

bool run_frames(long count) {
    ensure_started();
    for (long produced = 0; produced < count;) {
        const Iteration it = program_iterate();
        if (it == Iteration::Ended) break;
        if (it == Iteration::Frame) ++produced;
    }
    return true;
}

double process_cpu_ms() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index =
        std::min(values.size() - 1, static_cast<size_t>(fraction * static_cast<double>(values.size())));
    return values[index];
}

// --- commands ------------------------------------------------------------------------

// answer yes|no|unshown: unshown makes the next Yes/No box one that cannot be shown.
bool cmd_answer(const Line& l) {
    const std::string& a = l.words[1];
    if (a != "yes" && a != "no" && a != "unshown") return fail("usage: answer yes|no|unshown");
    headless_queue_answer(a == "yes" ? IDYES : a == "no" ? IDNO : HEADLESS_UNSHOWN);
    return true;
}

// viewport W H: the drawable size of windows opened from then on (before the program
// starts, for the first window): journeys that check logic render small.
bool cmd_viewport(const Line& l) {
    headless_set_viewport(l.ints[0], l.ints[1]);
    return true;
}

bool cmd_key(const Line& l) {
    InputEvent event;
    if (!script_input_event(l, &event)) return fail("usage: key NAME down|up");
    headless_push_event(event);
    return true;
}

bool cmd_tap(const Line& l) {
    headless_push_event(key_event(true, l.key));
    run_frames(1);
    headless_push_event(key_event(false, l.key));
    return true;
}

bool cmd_mouse(const Line& l) {
    headless_move_cursor(l.ints[0], l.ints[1]);
    return true;
}

bool cmd_button(const Line& l) {
    InputEvent event;
    if (!script_input_event(l, &event)) return fail("usage: button left|right down|up");
    headless_push_event(event);
    return true;
}

// pad BUTTON down|up, pad AXIS VALUE: a game controller's input.
bool cmd_pad(const Line& l) {
    InputEvent event;
    if (!script_input_event(l, &event)) return fail("usage: pad BUTTON down|up, or pad AXIS VALUE");
    headless_push_event(event);
    return true;
}

// cursor X Y: aim at window position (X, Y) as if the last input step had read the pointer
// there; the view does not turn, and the next frame's input step reads the pointer again.
bool cmd_cursor(const Line& l) {
    ensure_started();
    pointer.cursor_pos = CursorPos{l.ints[0], l.ints[1]};
    return true;
}

bool cmd_frames(const Line& l) { return run_frames(l.count); }

// draw: the current frame drawn again from the state, nothing stepped, and presented.
bool cmd_draw(const Line&) {
    ensure_started();
    if (!program.running) return fail("the program is not running");
    draw_frame();
    platform_swap_buffers();
    return true;
}

bool cmd_place(const Line& l) {
    ensure_started();
    player.x = l.floats[0];
    player.z = l.floats[1];
    player.eye_height = l.floats[2];
    if (l.floats.size() == 5) {
        player.heading = l.floats[3];
        player.pitch = l.floats[4];
    }
    return true;
}

// face HEADING: turn the player to a heading in degrees (0 looks towards -z, 90 towards -x).
bool cmd_face(const Line& l) {
    ensure_started();
    player.heading = l.floats[0];
    return true;
}

// walk N: hold the Up arrow for N frames.
bool cmd_walk(const Line& l) {
    headless_push_event(key_event(true, Key::Up));
    run_frames(l.count);
    headless_push_event(key_event(false, Key::Up));
    return true;
}

bool cmd_shot(const Line& l) {
    ensure_started();
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
    if (!headless_read_frame(&rgb, &width, &height)) return fail("shot: no frame (the window is closed)");
    std::string path;
    if (!script_file(l.words[1], &path)) return false;
    if (!write_rgb_png(path.c_str(), rgb, width, height, false)) return fail("shot: cannot write " + l.words[1]);
    return true;
}

// The whole state as one JSON object: the scalar fields plus the message boxes and
// sound requests recorded so far.
std::string state_json() {
    JsonWriter json;
    json.begin_object();
    for (const StateField& f : collect_state()) {
        json.key(f.name.c_str());
        if (f.kind == StateField::Kind::Number) json.value(f.number);
        else json.value(f.flag);
    }
    json.begin_array("messages");
    for (const RecordedMessageBox& box : headless_message_boxes()) {
        json.begin_object();
        json.field("caption", box.caption);
        json.field("text", box.text);
        json.end_object();
    }
    json.end_array();
    json.begin_array("sounds");
    for (const std::string& sound : headless_sounds()) json.value(sound);
    json.end_array();
    json.end_object();
    return json.text();
}

bool cmd_state(const Line&) {
    ensure_started();
    std::cout << state_json() << std::endl;
    return true;
}

// The catalogue's lines draw with the town's textures. False once the program has ended:
// with its context gone there is nothing to draw into.
bool enter_town() {
    ensure_started();
    if (!program.running) return false;
    const WorldRecord* here = current_world_record();
    if (here && here->set_rows == SetRows::TownLayout) return true;
    int town = 1;
    while (world_record(town)->set_rows != SetRows::TownLayout) ++town;
    switch_world(town, 1.6f);
    run_frames(1);
    return program.running;
}

// model NAME [HEADING PITCH DISTANCE]: the model alone, for `shot`.
bool cmd_model(const Line& l) {
    const bool viewed = l.floats.size() == 3;
    if (!enter_town()) return fail("the program is not running");
    if (!view_model(l.words[1], viewed ? l.floats[0] : 35, viewed ? l.floats[1] : 20, viewed ? l.floats[2] : 0))
        return fail("model: no model named " + l.words[1]);
    return true;
}

// A wall table's counts by kind and its segments in table order, as one JSON line.
void print_walls(const char* name, int world) {
    const WallTable table = fill_wall_table(world);
    const char* const KINDS[4] = {"z", "x", "floor", "line"};
    std::vector<int> kinds;
    int counts[4] = {};
    for (int i = 0; i < table.count; ++i) {
        const WallSegment& s = table.segments[i];
        const bool flat = s.a.y == s.b.y;
        kinds.push_back(flat && s.a.z == s.b.z ? 3 : flat ? 2 : s.a.z == s.b.z ? 0 : 1);
        ++counts[kinds.back()];
    }
    JsonWriter json;
    json.begin_object();
    json.field("walls", name);
    json.field("count", table.count);
    json.field("z_walls", counts[0]);
    json.field("x_walls", counts[1]);
    json.field("floors", counts[2]);
    json.field("lines", counts[3]);
    json.begin_array("segments");
    for (int i = 0; i < table.count; ++i) {
        json.begin_array();
        json.value(KINDS[kinds[static_cast<size_t>(i)]]);
        for (const Vec3& corner : {table.segments[i].a, table.segments[i].b}) {
            json.begin_array();
            for (const float v : {corner.x, corner.y, corner.z}) json.value(v);
            json.end_array();
        }
        json.end_array();
    }
    json.end_array();
    json.end_object();
    printf("%s\n", json.text().c_str());
    fflush(stdout);
}

// census NAME: what the model issues, as one JSON line; `layout` is one pass of the
// town's layout, `walls2` and `walls3` the wall tables.
bool cmd_census(const Line& l) {
    const std::string& name = l.words[1];
    if (name == "walls2" || name == "walls3") {
        print_walls(name.c_str(), name == "walls2" ? 2 : 3);
        return true;
    }
    if (!enter_town()) return fail("the program is not running");
    if (name == "layout") {
        printf("%s\n", census_json("layout", census_run(draw_world2_layout)).c_str());
        fflush(stdout);
        return true;
    }
    if (!print_model_census(name)) return fail("census: no model named " + name);
    return true;
}

// probe X Y: the depth under a pixel of the last frame and the world point behind it.
bool cmd_probe(const Line& l) {
    ensure_started();
    if (!program.running) return fail("the program is not running"); // no frame, no context
    const int px = l.ints[0], py = l.ints[1];
    float depth = 1;
    Vec3 p{};
    const bool hit = probe_pixel(px, py, &depth, &p);
    JsonWriter json;
    json.begin_object();
    json.begin_array("probe");
    json.value(px);
    json.value(py);
    json.end_array();
    json.field("depth", depth);
    if (hit) {
        json.begin_array("point");
        for (const float v : {p.x, p.y, p.z}) json.value(v);
        json.end_array();
    } else {
        json.key("point");
        json.null();
    }
    json.end_object();
    printf("%s\n", json.text().c_str());
    fflush(stdout);
    return true;
}

// A benchmark line's arguments: N, then `literal` to issue every call of the frame in its
// fixed order (for the ratio to the default path). The program must be running.
struct BenchRun {
    long count;
    bool literal;
};

bool bench_args(const Line& l, const char* usage, BenchRun* run) {
    run->literal = l.words.size() == 3;
    run->count = l.count;
    if ((run->literal && l.words[2] != "literal") || run->count == 0) return fail(std::string("usage: ") + usage);
    ensure_started();
    return program.running || fail("the program is not running");
}

// Times the run's `count` repetitions of `work` on its draw path (wall and process CPU,
// so the rasteriser's threads count) and prints one JSON line, named NAME or
// NAME_literal: the median and 95th percentile of each.
template <typename Prepare, typename Work>
void measure(const char* name, const BenchRun& run, Prepare prepare, Work work) {
    const DrawPath before = draw_path;
    draw_path.literal = run.literal;
    std::vector<double> wall, cpu;
    for (long i = 0; i < run.count; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        const double cpu_start = process_cpu_ms();
        work();
        glFinish();
        cpu.push_back(process_cpu_ms() - cpu_start);
        wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    draw_path = before;
    JsonWriter json;
    json.begin_object();
    json.field((std::string(name) + (run.literal ? "_literal" : "")).c_str(), static_cast<long long>(run.count));
    json.field("wall_ms_median", percentile(wall, 0.5));
    json.field("wall_ms_p95", percentile(wall, 0.95));
    json.field("cpu_ms_median", percentile(cpu, 0.5));
    json.field("cpu_ms_p95", percentile(cpu, 0.95));
    json.end_object();
    printf("%s\n", json.text().c_str());
    fflush(stdout);
}

// bench N [literal]: N frames rendered and presented without pacing.
bool cmd_bench(const Line& l) {
    BenchRun run{};
    if (!bench_args(l, "bench N [literal]", &run)) return false;
    measure(
        "bench_frames", run, [] {},
        [] {
            render_frame();
            platform_swap_buffers();
        });
    return true;
}

// fragments [literal]: one frame rendered and presented, and the fragments it rasterised
// and those that passed every test, against the view's pixels: what the rasteriser's
// cost follows, counted exactly where timings are noisy.
bool cmd_fragments(const Line& l) {
    const bool literal = l.words.size() == 2;
    if (literal && l.words[1] != "literal") return fail("usage: fragments [literal]");
    ensure_started();
    if (!program.running) return fail("the program is not running");
    const DrawPath before = draw_path;
    draw_path.literal = literal;
    const bool counting = headless_begin_fragment_count();
    render_frame();
    FragmentCount count;
    const bool counted = counting && headless_end_fragment_count(&count);
    platform_swap_buffers();
    draw_path = before;
    if (!counted) return fail("fragments: this GL context cannot count fragments");
    printf("{\"fragments%s\":1,\"rasterised\":%llu,\"passed\":%llu,\"triangles\":%llu,\"pixels\":%lld}\n",
           literal ? "_literal" : "", static_cast<unsigned long long>(count.rasterised),
           static_cast<unsigned long long>(count.passed), static_cast<unsigned long long>(count.triangles),
           static_cast<long long>(view.view_width) * view.view_height);
    fflush(stdout);
    return true;
}

// What one calibration frame draws after its clear: one quad over the whole view, in the
// states the program draws its fragments with, to price each kind of fragment in the
// process (and under the load) that prices the views.
enum class Calibration { Clear, Minified, Magnified, Blended, Untextured, Rejected };
struct CalibrationName {
    const char* name;
    Calibration kind;
    int tile = 0; // the quad cut into squares of this many pixels a side (0: one quad)
};
// clang-format off
constexpr CalibrationName CALIBRATIONS[] = {
    {"clear",      Calibration::Clear},      // the clear alone, the floor's fixed part
    {"minified",   Calibration::Minified},   // trilinear, about four texels a pixel
    {"magnified",  Calibration::Magnified},  // a texture stretched over the view
    {"blended",    Calibration::Blended},    // magnified, added as the sky and the HUD are
    {"untextured", Calibration::Untextured}, // flat colour
    {"rejected",   Calibration::Rejected},   // textured, every fragment failing the depth test
    {"tiles16",    Calibration::Minified, 16}, // minified, as two triangles every 16 x 16 pixels
};
// clang-format on

// The rectangle (x0, y0)-(x1, y1) of the view, in the unit square, with the texture
// repeated `repeat` times over the whole view.
void calibration_quad(float x0, float y0, float x1, float y1, float repeat) {
    glTexCoord2f(x0 * repeat, y0 * repeat);
    glVertex3f(2 * x0 - 1, 2 * y0 - 1, 0);
    glTexCoord2f(x1 * repeat, y0 * repeat);
    glVertex3f(2 * x1 - 1, 2 * y0 - 1, 0);
    glTexCoord2f(x1 * repeat, y1 * repeat);
    glVertex3f(2 * x1 - 1, 2 * y1 - 1, 0);
    glTexCoord2f(x0 * repeat, y1 * repeat);
    glVertex3f(2 * x0 - 1, 2 * y1 - 1, 0);
}

void draw_calibration(Calibration kind, int tile) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glClearDepth(kind == Calibration::Rejected ? 0.0 : 1.0); // nothing passes the quad's 0.5
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (kind != Calibration::Clear) {
        const bool textured = kind != Calibration::Untextured;
        if (textured) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, textures.texture_names[0]); // the world's own filtering
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        if (kind == Calibration::Blended) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        } else {
            glDisable(GL_BLEND);
        }
        // A 256-texel texture repeated 16 times over 1024 pixels: 4 texels a pixel.
        const float repeat = kind == Calibration::Minified || kind == Calibration::Rejected ? 16.0f : 1.0f;
        glColor4f(0.9f, 0.8f, 0.7f, 0.6f);
        glBegin(GL_QUADS);
        if (tile == 0) {
            calibration_quad(0, 0, 1, 1, repeat);
        } else {
            const int columns = (view.view_width + tile - 1) / tile, rows = (view.view_height + tile - 1) / tile;
            const float w = static_cast<float>(tile) / static_cast<float>(view.view_width);
            const float h = static_cast<float>(tile) / static_cast<float>(view.view_height);
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < columns; ++c)
                    calibration_quad(static_cast<float>(c) * w, static_cast<float>(r) * h,
                                     std::min(1.0f, static_cast<float>(c + 1) * w),
                                     std::min(1.0f, static_cast<float>(r + 1) * h), repeat);
        }
        glEnd();
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

// calibrate KIND N: N frames of a clear and one quad of KIND over the whole view (see
// CALIBRATIONS), timed as bench times frames, named calibrate_KIND. Nothing is stepped.
bool cmd_calibrate(const Line& l) {
    const CalibrationName* found = nullptr;
    for (const CalibrationName& c : CALIBRATIONS)
        if (l.words[1] == c.name) found = &c;
    if (!found || l.count == 0) return fail("usage: calibrate clear|minified|magnified|blended|untextured|rejected|tiles16 N");
    ensure_started();
    if (!program.running) return fail("the program is not running");
    const Calibration kind = found->kind;
    const int tile = found->tile;
    measure((std::string("calibrate_") + found->name).c_str(), BenchRun{l.count, false}, [] {},
            [kind, tile] {
                draw_calibration(kind, tile);
                platform_swap_buffers();
            });
    return true;
}

// bench_load N [literal]: N full asset loads of the current world (textures, font, level).
bool cmd_bench_load(const Line& l) {
    BenchRun run{};
    if (!bench_args(l, "bench_load N [literal]", &run)) return false;
    measure("bench_load", run, delete_textures, [] { init_scene(); });
    return true;
}

// bmp FILE OUT: decode FILE with the bitmap reader and write its RGB rows (bottom row
// first, no padding) to OUT. A file the reader refuses fails the run with the reader's
// message (also recorded as its message box); OUT is then removed, never left stale.
bool cmd_bmp(const Line& l) {
    std::string in, out_path;
    if (!script_file(l.words[1], &in) || !script_file(l.words[2], &out_path)) return false;
    remove(out_path.c_str());
    const size_t boxes_before = headless_message_boxes().size();
    RgbImage* image = load_dib(in.c_str());
    if (!image) {
        std::string reason = "the bitmap reader refused it";
        if (headless_message_boxes().size() > boxes_before) reason = headless_message_boxes().back().text;
        while (!reason.empty() && reason.back() == '\n') reason.pop_back();
        return fail("bmp: cannot decode " + l.words[1] + ": " + reason);
    }
    FILE* out = fopen(out_path.c_str(), "wb");
    const size_t size = static_cast<size_t>(image->width) * image->height * 3;
    bool written = out && fwrite(image->data, 1, size, out) == size;
    if (out && fclose(out) != 0) written = false;
    free_rgb_image(image);
    if (!written) remove(out_path.c_str());
    return written || fail("bmp: cannot write " + l.words[2]);
}

// The replay process's peak resident memory in MB (VmHWM), -1 when unknown.
double peak_resident_mb() {
    FILE* status = fopen("/proc/self/status", "r");
    if (!status) return -1;
    double mb = -1;
    char line[256];
    long kb = 0;
    while (fgets(line, sizeof line, status))
        if (sscanf(line, "VmHWM: %ld kB", &kb) == 1) mb = static_cast<double>(kb) / 1024.0;
    fclose(status);
    return mb;
}

// Fields of the process, not of the program: `expect` sees them, `state` does not print
// them (they differ from run to run).
std::vector<StateField> process_fields() {
    const double peak = peak_resident_mb();
    const double baseline = g_replay.memory_baseline_mb >= 0 ? g_replay.memory_baseline_mb : peak;
    return {StateField{"peak_resident_mb", StateField::Kind::Number, peak, false},
            StateField{"peak_resident_growth_mb", StateField::Kind::Number, peak - baseline, false}};
}

// memory_baseline: the peak resident memory now is what peak_resident_growth_mb counts
// from; a long run after a few warm-up frames shows whether anything keeps growing.
bool cmd_memory_baseline(const Line&) {
    ensure_started();
    g_replay.memory_baseline_mb = peak_resident_mb();
    return true;
}

// expect NAME OP VALUE [TOLERANCE]: OP is == != < > <= >= or ~ (within TOLERANCE).
bool cmd_expect(const Line& l) {
    const std::vector<std::string>& w = l.words;
    ensure_started();
    std::vector<StateField> fields = collect_state();
    for (const StateField& f : process_fields()) fields.push_back(f);
    for (const StateField& f : fields) {
        if (f.name != w[1]) continue;
        const std::string& op = w[2];
        if (f.kind != StateField::Kind::Number) {
            const std::string actual = f.flag ? "true" : "false";
            // A flag compares with true/false or 1/0, with == or != only.
            const std::string want = w[3] == "1" ? "true" : w[3] == "0" ? "false" : w[3];
            if ((want != "true" && want != "false") || (op != "==" && op != "!=") || w.size() != 4)
                return fail("expect: " + w[1] + " is a flag: expect " + w[1] + " ==|!= true|false|1|0");
            if ((op == "==" && actual == want) || (op == "!=" && actual != want)) return true;
            return fail("expect " + w[1] + " " + op + " " + w[3] + ": it is " + actual);
        }
        double want = 0, tolerance = 0;
        if (!parse_script_number(w[3], &want) || (w.size() == 5 && !parse_script_number(w[4], &tolerance)))
            return fail("expect: not a number");
        const double v = f.number;
        bool ok = false;
        if (op == "==") ok = v == want;
        else if (op == "!=") ok = v != want;
        else if (op == "<") ok = v < want;
        else if (op == ">") ok = v > want;
        else if (op == "<=") ok = v <= want;
        else if (op == ">=") ok = v >= want;
        else if (op == "~") ok = std::fabs(v - want) <= tolerance;
        else return fail("expect: unknown operator " + op);
        if (ok) return true;
        char actual[64];
        snprintf(actual, sizeof actual, "%.9g", v);
        return fail("expect " + w[1] + " " + op + " " + w[3] + ": it is " + actual);
    }
    return fail("expect: no state field " + w[1]);
}

// expect_message TEXT...: some message box so far showed exactly this text (words
// joined by one space; \n in TEXT stands for a newline).
bool cmd_expect_message(const Line& l) {
    for (const RecordedMessageBox& box : headless_message_boxes())
        if (box.text == l.text) return true;
    return fail("expect_message: no message box said \"" + l.text + "\"");
}

// fail STEP on|off: make a window or context step fail (fault injection).
bool cmd_fail(const Line& l) {
    const std::string &step = l.words[1], &how = l.words[2];
    if (how == "on" || how == "off") {
        for (int s = 0; s < static_cast<int>(HeadlessStep::Count); ++s)
            if (step == headless_step_name(static_cast<HeadlessStep>(s))) {
                headless_fail_step(static_cast<HeadlessStep>(s), how == "on");
                return true;
            }
    }
    return fail("usage: fail STEP on|off (STEP as in the headless call log, e.g. CreateContext)");
}

// desktop W H: the size of the desktop a fullscreen window covers (1280 x 1024 unless told).
bool cmd_desktop(const Line& l) {
    headless_set_desktop(l.ints[0], l.ints[1]);
    return true;
}

// mode windowed|fullscreen: the start-up question answered in advance, as zeb's command
// line does (no box is shown). Before the program starts.
bool cmd_mode(const Line& l) {
    const std::string& mode = l.words[1];
    if (mode != "windowed" && mode != "fullscreen") return fail("usage: mode windowed|fullscreen");
    if (g_replay.started) return fail("mode: the program has already started");
    g_replay.startup_answer = mode == "windowed" ? IDNO : IDYES;
    return true;
}

// setting NAME VALUE | setting bind KEY ACTION: a setting of the user's, as a recording
// carries it (zeb-replay reads no settings file). Before the program starts.
bool cmd_setting(const Line& l) {
    if (g_replay.started) return fail("setting: the program has already started");
    std::string why;
    if (!apply_setting(&g_replay.settings, std::vector<std::string>(l.words.begin() + 1, l.words.end()), &why))
        return fail("setting: " + why);
    put_in_force(g_replay.settings);
    return true;
}

// displaymode yes|no: whether an exact window.fullscreen display mode exists.
bool cmd_displaymode(const Line& l) {
    const std::string& answer = l.words[1];
    if (answer != "yes" && answer != "no") return fail("usage: displaymode yes|no");
    headless_set_display_mode_available(answer == "yes");
    return true;
}

// focus yes|no: whether the window owns the keyboard and mouse.
bool cmd_focus(const Line& l) {
    const std::string& answer = l.words[1];
    if (answer != "yes" && answer != "no") return fail("usage: focus yes|no");
    headless_set_focus(answer == "yes");
    return true;
}

// message NAME [WPARAM [LPARAM]]: a window message by its recorded name and numbers (close,
// activate, size, syscommand, syskeydown, syskeyup), handed over as its input event.
bool cmd_message(const Line& l) {
    InputEvent event;
    if (!script_input_event(l, &event)) return fail("message: unknown message " + l.words[1]);
    headless_push_event(event);
    return true;
}

struct Command {
    const char* name;
    bool (*run)(const Line&);
};
// clang-format off
constexpr Command COMMANDS[] = {
    {"answer", cmd_answer},   {"key", cmd_key},       {"tap", cmd_tap},
    {"mouse", cmd_mouse},     {"button", cmd_button}, {"frames", cmd_frames},
    {"pad", cmd_pad},
    {"cursor", cmd_cursor},   {"draw", cmd_draw},
    {"place", cmd_place},     {"face", cmd_face},     {"walk", cmd_walk},
    {"shot", cmd_shot},       {"state", cmd_state},
    {"bench", cmd_bench},     {"bench_load", cmd_bench_load}, {"fragments", cmd_fragments},
    {"calibrate", cmd_calibrate},
    {"bmp", cmd_bmp},
    {"expect", cmd_expect},   {"expect_message", cmd_expect_message},
    {"fail", cmd_fail},       {"displaymode", cmd_displaymode},
    {"focus", cmd_focus},     {"message", cmd_message},   {"viewport", cmd_viewport},
    {"desktop", cmd_desktop}, {"mode", cmd_mode},     {"setting", cmd_setting},
    {"model", cmd_model},     {"census", cmd_census},
    {"probe", cmd_probe},     {"memory_baseline", cmd_memory_baseline},
};
// clang-format on

// The frame-rate counter's fields follow the clock, which a recording does not carry.
bool follows_the_clock(const std::string& field) { return field.compare(0, 3, "fps") == 0; }

// A recording checks every field of its final state: one that checks fewer was cut
// among its checks and would pass without having checked what it recorded.
bool checks_every_field(const std::set<std::string>& checked, std::string* missing) {
    for (const StateField& field : collect_state())
        if (!follows_the_clock(field.name) && !checked.count(field.name)) {
            *missing = field.name;
            return false;
        }
    return true;
}

int run_script_lines(ScriptReader* reader) {
    headless_reset();
    headless_set_auto_clock(true);
    headless_move_cursor(CURSOR_CENTER_X, CURSOR_CENTER_Y);
    int commands = 0;
    std::set<std::string> checked; // a recording's fields checked after its final state
    for (;;) {
        ScriptLine line;
        std::string error;
        const ScriptRead read = script_reader_next(reader, &line, &error);
        if (read == ScriptRead::Error) {
            fprintf(stderr, "zeb-replay: %s\n", error.c_str());
            return 1;
        }
        if (read == ScriptRead::End) break;
        g_replay.line = reader->line_number;
        if (line.command.empty()) continue;
        ++commands;
        const Command* command = nullptr;
        for (const Command& c : COMMANDS)
            if (line.command == c.name) command = &c;
        if (!command) {
            fprintf(stderr, "zeb-replay: %s:%d: no such command here: \"%s\"\n", reader->name.c_str(), g_replay.line,
                    script_quote(line.command).c_str());
            return 1;
        }
        if (reader->recording && line.command == "expect") checked.insert(line.words[1]);
        if (!command->run(line)) {
            // A command's message quotes the script's words: printable, whatever they hold.
            fprintf(stderr, "zeb-replay: %s:%d: %s\n", reader->name.c_str(), g_replay.line,
                    script_quote(g_replay.error, 0).c_str());
            return 1;
        }
    }
    if (commands == 0) { // an empty file passes nothing: it is no script
        fprintf(stderr, "zeb-replay: %s holds no command\n", reader->name.c_str());
        return 1;
    }
    std::string missing;
    if (reader->recording && !checks_every_field(checked, &missing)) {
        fprintf(stderr, "zeb-replay: %s: the recording's final checks lack %s: it was cut\n", reader->name.c_str(),
                missing.c_str());
        return 1;
    }
    return 0;
}

// The window is closed at the end as a user would close it, so the program frees what it
// holds (its GL objects go with the context) and the leak checker sees only real leaks.
void close_program() {
    if (!program.running) return;
    headless_push_event(InputEvent{InputKind::Close});
    while (program_iterate() != Iteration::Ended) {}
}

int run_script(ScriptReader* reader) {
    const int code = run_script_lines(reader);
    close_program();
    return code;
}

constexpr const char* USAGE = "usage: zeb-replay [--] SCRIPT (- for standard input) | zeb-replay --help\n";

constexpr const char* ABOUT = "Runs zeb's core headless from SCRIPT (from standard input for -): one command a\n"
                              "line (frames N, tap KEY, mouse DX DY, place X Z EYE, shot FILE.png, state,\n"
                              "expect NAME OP VALUE, ...), on a virtual clock, so every run repeats exactly; a\n"
                              "recording by zeb --record is such a script. The data directory text/ is looked for\n"
                              "as zeb looks for it; file names in the script stay relative to the directory it was\n"
                              "started in.\n"
                              "Exit status: 0 when every line ran and every expect held, 1 on a script error or a\n"
                              "failed expect, 2 on a usage error. Every script line is described in zeb-replay(6).\n";

} // namespace

int main(int argc, char** argv) {
    // `--` ends the options, so a script whose name starts with `-` can still be named.
    const bool dashes = argc == 3 && strcmp(argv[1], "--") == 0;
    const char* script_path = argc == 2 ? argv[1] : dashes ? argv[2] : nullptr;
    if (!script_path || (!dashes && strcmp(script_path, "--") == 0)) {
        fprintf(stderr, "%s", USAGE);
        return 2;
    }
    if (!dashes && (strcmp(script_path, "--help") == 0 || strcmp(script_path, "-h") == 0)) {
        printf("%s\n%s", USAGE, ABOUT);
        return 0;
    }
    if (!dashes && script_path[0] == '-' && script_path[1] != '\0') {
        fprintf(stderr, "zeb-replay: unknown option %s\n%s", script_path, USAGE);
        return 2;
    }
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) g_replay.start_dir = cwd;
    reset_session(); // the program's own start-up reset, as zeb runs it
    // Read a line at a time, so a script of any length costs one line's memory. Regular
    // files only: a FIFO would hold the open for ever, a directory read as an empty script.
    // Standard input is `-`.
    ScriptReader reader;
    if (strcmp(script_path, "-") == 0) {
        script_reader_attach(stdin, "(standard input)", &reader);
    } else {
        std::string why;
        if (!script_reader_open(script_path, &reader, &why)) {
            fprintf(stderr, "zeb-replay: %s\n", why.c_str());
            return 2;
        }
    }
    const int code = run_script(&reader);
    script_reader_close(&reader);
    return code;
}
