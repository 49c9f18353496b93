// zeb-replay: runs the program's core in the headless backend from a script.
//
// Usage: zeb-replay SCRIPT (or - for standard input), in a directory holding text/.
// See the README for the script language. Exit code 0 when every line ran and every
// expectation held; 1 on a script error or a failed expectation; 2 on a usage error.
#include "app/input.h"
#include "app/program.h"
#include "app/session.h"
#include "app/window.h"
#include "assets/bmp.h"
#include "assets/draw_path.h"
#include "assets/textures.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "platform/headless.h"
#include "render/frame.h"
#include "model_view.h"
#include "state.h"
#include "render/scene_setup.h"
#include "nav/keys.h"
#include "nav/contacts.h"
#include "render/probe.h"
#include "scene/world2_layout.h"
#include "tools/census/census.h"

#include <GL/gl.h>
#include <png.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Words = std::vector<std::string>;

struct Replay {
    int line = 0;
    bool started = false;
    std::string error; // set by a failing command
};

Replay g_replay;

bool fail(const std::string& text) {
    g_replay.error = text;
    return false;
}

// --- helpers -------------------------------------------------------------------------

struct KeyName {
    const char* name;
    int vk;
};
constexpr KeyName KEY_NAMES[] = {
    {"Backspace", 8}, {"Tab", 9},       {"Return", 13},   {"Shift", 16},    {"Control", 17},
    {"Alt", 18},      {"Escape", 27},   {"Space", 32},    {"PageUp", 33},   {"PageDown", 34},
    {"End", 35},      {"Home", 36},     {"Left", 37},     {"Up", 38},       {"Right", 39},
    {"Down", 40},     {"Insert", 45},   {"Delete", 46},
};

// A virtual-key code from a name (Up, F1, Numpad3, A, 7...) or a number; -1 if unknown.
int parse_key(const std::string& name) {
    for (const KeyName& k : KEY_NAMES)
        if (name == k.name) return k.vk;
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return name[0];
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return name[0];
    if (name.size() >= 2 && name[0] == 'F' && isdigit(static_cast<unsigned char>(name[1]))) {
        const int n = atoi(name.c_str() + 1);
        if (n >= 1 && n <= 12) return 111 + n;
    }
    if (name.size() == 7 && name.compare(0, 6, "Numpad") == 0 && isdigit(static_cast<unsigned char>(name[6])))
        return 96 + (name[6] - '0');
    char* end = nullptr;
    const long code = strtol(name.c_str(), &end, 0);
    if (!name.empty() && *end == '\0' && code >= 0 && code < 256) return static_cast<int>(code);
    return -1;
}

bool parse_number(const std::string& word, double* out) {
    char* end = nullptr;
    *out = strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0';
}

// Doubles from a script become ints or floats only within the target's range (NaN is 0).
int clamp_to_int(double value, int low, int high) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
}
float clamp_to_float(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<float>(std::clamp(value, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}
// A cursor step: far beyond any screen, far within int.
constexpr int MOUSE_STEP_LIMIT = 1 << 20;

bool parse_count(const std::string& word, long* out) {
    char* end = nullptr;
    *out = strtol(word.c_str(), &end, 10);
    return !word.empty() && *end == '\0' && *out >= 0;
}

bool data_dir_present() {
    struct stat info;
    return stat("text", &info) == 0 && S_ISDIR(info.st_mode);
}

// Starts the program the first time something needs it running. The data must be in
// the working directory: a script that starts the program elsewhere stops here.
void ensure_started() {
    if (g_replay.started) return;
    g_replay.started = true;
    if (!data_dir_present()) {
        char cwd[4096] = "";
        if (!getcwd(cwd, sizeof cwd)) cwd[0] = '\0';
        fprintf(stderr,
                "line %d: no text/ directory in the working directory %s: run zeb-replay from the build "
                "directory that holds the data\n",
                g_replay.line, cwd);
        exit(1);
    }
    program_start();
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

bool write_png(const char* path, const std::vector<unsigned char>& rgb, int width, int height) {
    FILE* file = fopen(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y)
            png_write_row(png, const_cast<png_bytep>(&rgb[static_cast<size_t>(y) * width * 3]));
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return fclose(file) == 0 && ok;
}

double process_cpu_ms() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * static_cast<double>(values.size())));
    return values[index];
}

// --- commands ------------------------------------------------------------------------

// answer yes|no|unshown: unshown makes the next Yes/No box one that cannot be shown.
bool cmd_answer(const Words& w) {
    if (w.size() != 2 || (w[1] != "yes" && w[1] != "no" && w[1] != "unshown"))
        return fail("usage: answer yes|no|unshown");
    headless_queue_answer(w[1] == "yes" ? IDYES : w[1] == "no" ? IDNO : HEADLESS_UNSHOWN);
    return true;
}

// viewport W H: the drawable size of windows opened from then on (before the program
// starts, for the first window): journeys that check logic render small.
bool cmd_viewport(const Words& w) {
    long width = 0, height = 0;
    if (w.size() != 3 || !parse_count(w[1], &width) || !parse_count(w[2], &height) || width < 1 || height < 1 ||
        width > 8192 || height > 8192)
        return fail("usage: viewport W H (1 to 8192 pixels each)");
    headless_set_viewport(static_cast<int>(width), static_cast<int>(height));
    return true;
}

bool cmd_key(const Words& w) {
    const int vk = w.size() == 3 ? parse_key(w[1]) : -1;
    if (vk < 0 || (w[2] != "down" && w[2] != "up")) return fail("usage: key NAME down|up");
    headless_push_message({w[2] == "down" ? WM_KEYDOWN : WM_KEYUP, static_cast<uintptr_t>(vk), 0});
    return true;
}

bool cmd_tap(const Words& w) {
    const int vk = w.size() == 2 ? parse_key(w[1]) : -1;
    if (vk < 0) return fail("usage: tap NAME");
    headless_push_message({WM_KEYDOWN, static_cast<uintptr_t>(vk), 0});
    run_frames(1);
    headless_push_message({WM_KEYUP, static_cast<uintptr_t>(vk), 0});
    return true;
}

bool cmd_mouse(const Words& w) {
    double dx = 0, dy = 0;
    if (w.size() != 3 || !parse_number(w[1], &dx) || !parse_number(w[2], &dy)) return fail("usage: mouse DX DY");
    headless_move_cursor(clamp_to_int(dx, -MOUSE_STEP_LIMIT, MOUSE_STEP_LIMIT),
                         clamp_to_int(dy, -MOUSE_STEP_LIMIT, MOUSE_STEP_LIMIT));
    return true;
}

bool cmd_button(const Words& w) {
    if (w.size() != 3 || (w[1] != "left" && w[1] != "right") || (w[2] != "down" && w[2] != "up"))
        return fail("usage: button left|right down|up");
    const bool left = w[1] == "left", down = w[2] == "down";
    const unsigned id = left ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP) : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
    headless_push_message({id, 0, 0});
    return true;
}

// cursor X Y: aim at window position (X, Y) as if the last input step had read the pointer
// there; the view does not turn, and the next frame's input step reads the pointer again.
bool cmd_cursor(const Words& w) {
    double x = 0, y = 0;
    if (w.size() != 3 || !parse_number(w[1], &x) || !parse_number(w[2], &y)) return fail("usage: cursor X Y");
    ensure_started();
    pointer.cursor_pos = CursorPos{static_cast<int32_t>(x), static_cast<int32_t>(y)};
    return true;
}

bool cmd_frames(const Words& w) {
    long count = 0;
    if (w.size() != 2 || !parse_count(w[1], &count)) return fail("usage: frames N");
    return run_frames(count);
}

bool cmd_place(const Words& w) {
    double v[5] = {};
    if (w.size() != 4 && w.size() != 6) return fail("usage: place X Z EYE [HEADING PITCH]");
    for (size_t i = 1; i < w.size(); ++i)
        if (!parse_number(w[i], &v[i - 1])) return fail("place: not a number: " + w[i]);
    ensure_started();
    player.x = clamp_to_float(v[0]);
    player.z = clamp_to_float(v[1]);
    player.eye_height = clamp_to_float(v[2]);
    if (w.size() == 6) {
        player.heading = clamp_to_float(v[3]);
        player.pitch = clamp_to_float(v[4]);
    }
    return true;
}

// face HEADING: turn the player to a heading in degrees (0 looks towards -z, 90 towards -x).
bool cmd_face(const Words& w) {
    double heading = 0;
    if (w.size() != 2 || !parse_number(w[1], &heading)) return fail("usage: face HEADING");
    ensure_started();
    player.heading = clamp_to_float(heading);
    return true;
}

// walk N: hold the Up arrow for N frames.
bool cmd_walk(const Words& w) {
    long count = 0;
    if (w.size() != 2 || !parse_count(w[1], &count)) return fail("usage: walk N");
    headless_push_message({WM_KEYDOWN, VK_UP, 0});
    run_frames(count);
    headless_push_message({WM_KEYUP, VK_UP, 0});
    return true;
}

bool cmd_shot(const Words& w) {
    if (w.size() != 2) return fail("usage: shot FILE.png");
    ensure_started();
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
    if (!headless_read_frame(&rgb, &width, &height)) return fail("shot: no frame (the window is closed)");
    if (!write_png(w[1].c_str(), rgb, width, height)) return fail("shot: cannot write " + w[1]);
    return true;
}

bool cmd_state(const Words& w) {
    if (w.size() != 1) return fail("usage: state");
    ensure_started();
    std::cout << state_json() << std::endl;
    return true;
}

// The catalogue's lines draw with the town's textures.
void enter_town() {
    ensure_started();
    if (current_world() == 2) return;
    switch_world(2, 1.6f);
    run_frames(1);
}

// model NAME [HEADING PITCH DISTANCE]: the model alone, for `shot`.
bool cmd_model(const Words& w) {
    double v[3] = {35, 20, 0};
    if (w.size() != 2 && w.size() != 5) return fail("usage: model NAME [HEADING PITCH DISTANCE]");
    for (size_t i = 2; i < w.size(); ++i)
        if (!parse_number(w[i], &v[i - 2])) return fail("model: not a number: " + w[i]);
    enter_town();
    if (!view_model(w[1], static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])))
        return fail("model: no model named " + w[1]);
    return true;
}

// A wall table's counts by kind and its segments in table order, as one JSON line.
void print_walls(const char* name, int world) {
    const WallTable table = fill_wall_table(world);
    int z_walls = 0, x_walls = 0, floors = 0, lines = 0;
    std::ostringstream segments;
    for (int i = 0; i < table.count; ++i) {
        const WallSegment& s = table.segments[i];
        const bool flat = s.a.y == s.b.y;
        const char* kind = flat && s.a.z == s.b.z ? "line" : flat ? "floor" : s.a.z == s.b.z ? "z" : "x";
        (flat && s.a.z == s.b.z ? lines : flat ? floors : s.a.z == s.b.z ? z_walls : x_walls) += 1;
        segments << (i ? "," : "") << "[\"" << kind << "\",[" << s.a.x << "," << s.a.y << "," << s.a.z << "],["
                 << s.b.x << "," << s.b.y << "," << s.b.z << "]]";
    }
    printf("{\"walls\":\"%s\",\"count\":%d,\"z_walls\":%d,\"x_walls\":%d,\"floors\":%d,\"lines\":%d,"
           "\"segments\":[%s]}\n",
           name, table.count, z_walls, x_walls, floors, lines, segments.str().c_str());
    fflush(stdout);
}

// census NAME: what the model issues, as one JSON line; `layout` is one pass of the
// town's layout, `walls2` and `walls3` the wall tables.
bool cmd_census(const Words& w) {
    if (w.size() != 2) return fail("usage: census NAME");
    if (w[1] == "walls2" || w[1] == "walls3") {
        print_walls(w[1].c_str(), w[1] == "walls2" ? 2 : 3);
        return true;
    }
    enter_town();
    if (w[1] == "layout") {
        printf("%s\n", census_json("layout", census_run(draw_world2_layout)).c_str());
        fflush(stdout);
        return true;
    }
    if (!print_model_census(w[1])) return fail("census: no model named " + w[1]);
    return true;
}

// probe X Y: the depth under a pixel of the last frame and the world point behind it.
bool cmd_probe(const Words& w) {
    double x = 0, y = 0;
    if (w.size() != 3 || !parse_number(w[1], &x) || !parse_number(w[2], &y)) return fail("usage: probe X Y");
    ensure_started();
    float depth = 1;
    Vec3 p{};
    const bool hit = probe_pixel(static_cast<int>(x), static_cast<int>(y), &depth, &p);
    if (hit)
        printf("{\"probe\":[%d,%d],\"depth\":%.6f,\"point\":[%.4f,%.4f,%.4f]}\n", static_cast<int>(x),
               static_cast<int>(y), depth, p.x, p.y, p.z);
    else
        printf("{\"probe\":[%d,%d],\"depth\":%.6f,\"point\":null}\n", static_cast<int>(x), static_cast<int>(y),
               depth);
    fflush(stdout);
    return true;
}

// A benchmark line's arguments: N, then `literal` to issue every call of the frame in its
// fixed order (for the ratio to the default path). The program must be running.
struct BenchRun {
    long count;
    bool literal;
};

bool bench_args(const Words& w, const char* usage, BenchRun* run) {
    run->literal = w.size() == 3 && w[2] == "literal";
    if (w.size() != (run->literal ? 3u : 2u) || !parse_count(w[1], &run->count) || run->count == 0)
        return fail(std::string("usage: ") + usage);
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
    printf("{\"%s%s\":%ld,\"wall_ms_median\":%.3f,\"wall_ms_p95\":%.3f,\"cpu_ms_median\":%.3f,\"cpu_ms_p95\":%.3f}\n",
           name, run.literal ? "_literal" : "", run.count, percentile(wall, 0.5), percentile(wall, 0.95),
           percentile(cpu, 0.5), percentile(cpu, 0.95));
    fflush(stdout);
}

// bench N [literal]: N frames rendered and presented without pacing.
bool cmd_bench(const Words& w) {
    BenchRun run{};
    if (!bench_args(w, "bench N [literal]", &run)) return false;
    measure("bench_frames", run, [] {}, [] {
        render_frame();
        platform_swap_buffers();
    });
    return true;
}

// bench_load N [literal]: N full asset loads of the current world (textures, font, level).
bool cmd_bench_load(const Words& w) {
    BenchRun run{};
    if (!bench_args(w, "bench_load N [literal]", &run)) return false;
    measure("bench_load", run, delete_textures, [] { init_scene(); });
    return true;
}

// bmp FILE OUT: decode FILE with the bitmap reader and write its RGB rows (bottom row
// first, no padding) to OUT. A file the reader refuses fails the run with the reader's
// message (also recorded as its message box); OUT is then removed, never left stale.
bool cmd_bmp(const Words& w) {
    if (w.size() != 3) return fail("usage: bmp FILE OUT");
    remove(w[2].c_str());
    const size_t boxes_before = headless_message_boxes().size();
    RgbImage* image = load_dib(w[1].c_str());
    if (!image) {
        std::string reason = "the bitmap reader refused it";
        if (headless_message_boxes().size() > boxes_before) reason = headless_message_boxes().back().text;
        while (!reason.empty() && reason.back() == '\n') reason.pop_back();
        return fail("bmp: cannot decode " + w[1] + ": " + reason);
    }
    FILE* out = fopen(w[2].c_str(), "wb");
    const size_t size = static_cast<size_t>(image->width) * image->height * 3;
    bool written = out && fwrite(image->data, 1, size, out) == size;
    if (out && fclose(out) != 0) written = false;
    free_rgb_image(image);
    if (!written) remove(w[2].c_str());
    return written || fail("bmp: cannot write " + w[2]);
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
    return {StateField{"peak_resident_mb", StateField::Kind::Number, peak_resident_mb(), false}};
}

// expect NAME OP VALUE [TOLERANCE]: OP is == != < > <= >= or ~ (within TOLERANCE).
bool cmd_expect(const Words& w) {
    if (w.size() != 4 && w.size() != 5) return fail("usage: expect NAME OP VALUE [TOLERANCE]");
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
        if (!parse_number(w[3], &want) || (w.size() == 5 && !parse_number(w[4], &tolerance)))
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

// The script's escapes in a message text: \n is a newline, \\ a backslash.
std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
            out += text[i + 1] == 'n' ? '\n' : '\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// expect_message TEXT...: some message box so far showed exactly this text (words
// joined by one space; \n in TEXT stands for a newline).
bool cmd_expect_message(const Words& w) {
    std::string text;
    for (size_t i = 1; i < w.size(); ++i) text += (i > 1 ? " " : "") + w[i];
    text = unescape(text);
    for (const RecordedMessageBox& box : headless_message_boxes())
        if (box.text == text) return true;
    return fail("expect_message: no message box said \"" + text + "\"");
}

// fail STEP on|off: make a window or context step fail (fault injection).
bool cmd_fail(const Words& w) {
    if (w.size() == 3 && (w[2] == "on" || w[2] == "off")) {
        for (int s = 0; s < static_cast<int>(HeadlessStep::Count); ++s)
            if (w[1] == headless_step_name(static_cast<HeadlessStep>(s))) {
                headless_fail_step(static_cast<HeadlessStep>(s), w[2] == "on");
                return true;
            }
    }
    return fail("usage: fail STEP on|off (STEP as in the headless call log, e.g. CreateContext)");
}

// displaymode yes|no: whether an exact window.fullscreen display mode exists.
bool cmd_displaymode(const Words& w) {
    if (w.size() != 2 || (w[1] != "yes" && w[1] != "no")) return fail("usage: displaymode yes|no");
    headless_set_display_mode_available(w[1] == "yes");
    return true;
}

// focus yes|no: whether the window owns the keyboard and mouse.
bool cmd_focus(const Words& w) {
    if (w.size() != 2 || (w[1] != "yes" && w[1] != "no")) return fail("usage: focus yes|no");
    headless_set_focus(w[1] == "yes");
    return true;
}

// message NAME [WPARAM [LPARAM]]: a raw window message (close, activate, size, syscommand).
bool cmd_message(const Words& w) {
    struct Named {
        const char* name;
        unsigned id;
    };
    static constexpr Named MESSAGES[] = {
        {"close", WM_CLOSE}, {"activate", WM_ACTIVATE}, {"size", WM_SIZE}, {"syscommand", WM_SYSCOMMAND},
        {"syskeydown", WM_SYSKEYDOWN}, {"syskeyup", WM_SYSKEYUP},
    };
    double wparam = 0, lparam = 0;
    if (w.size() < 2 || w.size() > 4 || (w.size() > 2 && !parse_number(w[2], &wparam)) ||
        (w.size() > 3 && !parse_number(w[3], &lparam)))
        return fail("usage: message close|activate|size|syscommand|syskeydown|syskeyup [WPARAM [LPARAM]]");
    for (const Named& m : MESSAGES)
        if (w[1] == m.name) {
            // A message's parameters hold 32 bits: clamp, never wrap.
            const double wide_w = std::isnan(wparam) ? 0 : std::clamp(wparam, 0.0, 4294967295.0);
            const double wide_l = std::isnan(lparam) ? 0 : std::clamp(lparam, -2147483648.0, 4294967295.0);
            headless_push_message({m.id, static_cast<uintptr_t>(wide_w), static_cast<intptr_t>(wide_l)});
            return true;
        }
    return fail("message: unknown message " + w[1]);
}

struct Command {
    const char* name;
    bool (*run)(const Words&);
};
constexpr Command COMMANDS[] = {
    {"answer", cmd_answer},   {"key", cmd_key},       {"tap", cmd_tap},
    {"mouse", cmd_mouse},     {"button", cmd_button}, {"frames", cmd_frames},
    {"cursor", cmd_cursor},
    {"place", cmd_place},     {"face", cmd_face},     {"walk", cmd_walk},
    {"shot", cmd_shot},       {"state", cmd_state},
    {"bench", cmd_bench},     {"bench_load", cmd_bench_load}, {"bmp", cmd_bmp},
    {"expect", cmd_expect},   {"expect_message", cmd_expect_message},
    {"fail", cmd_fail},       {"displaymode", cmd_displaymode},
    {"focus", cmd_focus},     {"message", cmd_message},   {"viewport", cmd_viewport},
    {"model", cmd_model},     {"census", cmd_census},
    {"probe", cmd_probe},
};

Words split(const std::string& line) {
    Words words;
    std::istringstream in(line.substr(0, line.find('#')));
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

int run_script(std::istream& in) {
    headless_reset();
    headless_set_auto_clock(true);
    headless_move_cursor(CURSOR_CENTER_X, CURSOR_CENTER_Y);
    for (std::string text; std::getline(in, text);) {
        ++g_replay.line;
        const Words words = split(text);
        if (words.empty()) continue;
        const Command* command = nullptr;
        for (const Command& c : COMMANDS)
            if (words[0] == c.name) command = &c;
        if (!command) {
            fprintf(stderr, "line %d: unknown command \"%s\"\n", g_replay.line, words[0].c_str());
            return 1;
        }
        if (!command->run(words)) {
            fprintf(stderr, "line %d: %s\n", g_replay.line, g_replay.error.c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: zeb-replay SCRIPT (or - for standard input)\n");
        return 2;
    }
    reset_session(); // the program's own start-up reset, as zeb runs it
    if (strcmp(argv[1], "-") == 0) return run_script(std::cin);
    std::ifstream file(argv[1]);
    if (!file) {
        fprintf(stderr, "zeb-replay: cannot open %s\n", argv[1]);
        return 2;
    }
    return run_script(file);
}
