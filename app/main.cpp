// zeb: the walk-through in a real window.
#include "app/program.h"
#include "app/session.h"
#include "app/settings.h"
#include "app/state.h"
#include "app/timer.h"
#include "platform/platform.h"
#include "platform/script.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int EXIT_USAGE = 2;
constexpr int EXIT_NO_DISPLAY = 1;
constexpr int EXIT_NO_DATA = 1;
constexpr int EXIT_PLAYED_ELSEWHERE = 3; // a played recording did not end in its recorded state
constexpr int EXIT_RECORDING_LOST = 4;   // the recording could not be written whole

// A write failed: the recording stopped there. The process's, not the session's: a
// recording spans the whole run.
bool g_recording_lost = false;

// zeb --timedemo: when the loop started, and when each drawn frame's iteration ended, by
// the loop's own clock; the process's CPU time (every thread: the driver's too) at start.
struct Timedemo {
    bool started = false; // the window is open and the clock runs: the first iteration comes
    double start_ms = 0;
    std::clock_t start_cpu = 0;
    int64_t frames_seen = 0;
    std::vector<double> frame_ends_ms;
};
Timedemo g_timedemo;

void usage(FILE* out) {
    fprintf(out, "usage: zeb [--windowed | --fullscreen] [--record FILE | --play FILE | --timedemo FILE]\n"
                 "           | --help\n"
                 "  --windowed       open a 1024 x 768 window without asking\n"
                 "  --fullscreen     cover the desktop without asking (F1 toggles)\n"
                 "  --record FILE    write the session to FILE as a zeb-replay script, ending\n"
                 "                   with checks of the final state\n"
                 "  --play FILE      show a recorded session in the window (Escape stops it)\n"
                 "  --timedemo FILE  play a recorded session as fast as the loop allows, then\n"
                 "                   print the frames, seconds, frames a second, the median and\n"
                 "                   95th-percentile frame period and the CPU time per frame\n"
                 "  --help           this text\n"
                 "Without an option a box asks whether to run fullscreen, unless the settings\n"
                 "file answers it. The data directory text/ is read from the working directory,\n"
                 "else from next to the program, else from ../share/zeb relative to the program,\n"
                 "else from the directory $ZEB_DATA. The settings file, read at start and never\n"
                 "written: $XDG_CONFIG_HOME/zeb/zeb.conf, else ~/.config/zeb/zeb.conf.\n");
}

// A state field's value as a recording writes it: exact, so that it reads back the same.
std::string recorded_value(const StateField& field) {
    char value[64];
    if (field.kind == StateField::Kind::Flag) snprintf(value, sizeof value, "%s", field.flag ? "true" : "false");
    else snprintf(value, sizeof value, "%.17g", field.number);
    return value;
}

// The frame-rate counter's fields (fps, fps_frames, fps_last_tick) follow the clock, which
// a recording does not carry.
bool follows_the_clock(const StateField& field) { return field.name.compare(0, 3, "fps") == 0; }

// The end of a recording: the loop's last iteration, then the state the session ended
// in, as checks zeb-replay makes after playing it.
void finish_recording() {
    platform_record_line("frames 1");
    platform_record_line("state");
    for (const StateField& field : collect_state())
        if (!follows_the_clock(field))
            platform_record_line(("expect " + field.name + " == " + recorded_value(field)).c_str());
    char why[1024] = "";
    if (g_recording_lost || platform_record_stop(why, sizeof why)) return;
    g_recording_lost = true;
    fprintf(stderr, "zeb: the recording could not be written: %s\n", why);
}

// A recording whose writes fail is said at once, on stderr and in a box over the window,
// so the user does not play on for a session that is being lost; the play goes on.
void check_recording() {
    char why[1024] = "";
    if (g_recording_lost || !platform_record_failed(why, sizeof why)) return;
    g_recording_lost = true;
    fprintf(stderr, "zeb: the recording could not be written: %s; it stopped there\n", why);
    const std::string text = std::string("The recording could not be written: ") + why + ".";
    platform_message_box(text.c_str(), "ERROR", MB_OK | MB_ICONEXCLAMATION);
}

// Before a recording plays: its checks name fields of this program's state, and all of
// them but the clock's. One that names others was made by something else; one that lacks
// some was cut among its checks, and would pass without checking what it recorded. A
// timedemo's may check fewer (`every_field` false): it is played to be timed, and its
// recordings outlive fields added to the state.
bool checks_fit_the_state(const char* path, bool every_field, std::string* why) {
    const PlayCheck* checks = nullptr;
    const size_t count = platform_play_checks(&checks);
    const std::vector<StateField> state = collect_state();
    for (size_t i = 0; i < count; ++i) {
        bool known = false;
        for (const StateField& field : state)
            known = known || (field.name == checks[i].name && !follows_the_clock(field));
        if (!known) {
            *why = std::string(path) + ": the recording checks a field this program does not have: \"" +
                   script_quote(checks[i].name) + "\"";
            return false;
        }
    }
    for (const StateField& field : state) {
        if (follows_the_clock(field) || !every_field) continue;
        bool checked = false;
        for (size_t i = 0; i < count && !checked; ++i) checked = field.name == checks[i].name;
        if (!checked) {
            *why = std::string(path) + ": the recording's final checks lack " + field.name + ": it was cut";
            return false;
        }
    }
    return true;
}

// After a played recording: whether the session ended where the recorded one did.
bool played_to_the_recorded_state() {
    const PlayCheck* checks = nullptr;
    const size_t count = platform_play_checks(&checks);
    const std::vector<StateField> state = collect_state();
    int differences = 0;
    for (size_t i = 0; i < count; ++i)
        for (const StateField& field : state)
            if (field.name == checks[i].name && recorded_value(field) != checks[i].value) {
                fprintf(stderr, "zeb: %s is %s, recorded %s\n", checks[i].name, recorded_value(field).c_str(),
                        checks[i].value);
                ++differences;
            }
    if (differences > 0) fprintf(stderr, "zeb: the played session ended elsewhere than the recorded one\n");
    else fprintf(stderr, "zeb: the played session ended in the recorded state (%zu fields)\n", count);
    return differences == 0;
}

// After every loop iteration of a timedemo: the end of each drawn frame, and the end of
// the loop once the recording has played (it would hand the window to the user).
void time_the_loop() {
    Timedemo& t = g_timedemo;
    if (!t.started) {
        t.started = true;
        t.start_ms = timer_now_ms();
        t.start_cpu = std::clock();
    }
    if (t.frames_seen < program.frame_iterations) t.frame_ends_ms.push_back(timer_now_ms());
    t.frames_seen = program.frame_iterations;
    if (!platform_playing()) platform_post_quit(0);
}

// The classic timedemo's figures, one per line, NAME VALUE. The frames are every frame the
// loop drew (a recording's Escape frame is drawn, not shown); the seconds run from the
// loop's start to its end; a period is the time from one drawn frame's end to the next's.
void print_timedemo(const char* path) {
    const Timedemo& t = g_timedemo;
    if (!t.started) return; // the window never opened: no loop ran, nothing was timed
    const double seconds = (timer_now_ms() - t.start_ms) / 1000.0;
    const double cpu_ms = 1000.0 * static_cast<double>(std::clock() - t.start_cpu) / CLOCKS_PER_SEC;
    std::vector<double> periods;
    double last = t.start_ms;
    for (double end : t.frame_ends_ms) {
        periods.push_back(end - last);
        last = end;
    }
    std::sort(periods.begin(), periods.end());
    // Nearest rank: the smallest period that this share of the frames does not exceed.
    auto percentile = [&periods](double share) {
        if (periods.empty()) return 0.0;
        const size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(periods.size())));
        return periods[std::max<size_t>(rank, 1) - 1];
    };
    const int64_t frames = program.frame_iterations;
    printf("timedemo %s\n", path);
    printf("frames %lld\n", static_cast<long long>(frames));
    printf("seconds %.3f\n", seconds);
    printf("fps %.2f\n", seconds > 0 ? static_cast<double>(frames) / seconds : 0.0);
    printf("period_median_ms %.3f\n", percentile(0.5));
    printf("period_p95_ms %.3f\n", percentile(0.95));
    printf("cpu_ms_per_frame %.3f\n", frames > 0 ? cpu_ms / static_cast<double>(frames) : 0.0);
    fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const char* mode_option = nullptr; // the first of --windowed and --fullscreen given
    int startup_answer = 0;            // IDYES or IDNO given in advance; 0 asks
    const char* record_path = nullptr;
    const char* play_path = nullptr;
    const char* play_option = nullptr; // --play or --timedemo, whichever named play_path
    bool timedemo = false;             // play_path is played as a timedemo
    bool serial_loop = false;          // undocumented in the usage: the loop's old wait, to compare
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (strcmp(option, "--help") == 0 || strcmp(option, "-h") == 0) {
            usage(stdout);
            return 0;
        }
        if (strcmp(option, "--serial-loop") == 0) {
            serial_loop = true;
            continue;
        }
        const bool plays = strcmp(option, "--play") == 0 || strcmp(option, "--timedemo") == 0;
        if (strcmp(option, "--record") == 0 || plays) {
            if (i + 1 == argc) {
                fprintf(stderr, "zeb: %s needs a file name\n", option);
                usage(stderr);
                return EXIT_USAGE;
            }
            const char* earlier = record_path ? "--record" : play_option;
            if (earlier && strcmp(earlier, option) != 0) {
                fprintf(stderr, "zeb: %s and %s cannot be used together: choose one\n", earlier, option);
                usage(stderr);
                return EXIT_USAGE;
            }
            (plays ? play_path : record_path) = argv[++i];
            if (plays) play_option = option;
            timedemo = strcmp(option, "--timedemo") == 0;
            continue;
        }
        if (strcmp(option, "--windowed") != 0 && strcmp(option, "--fullscreen") != 0) {
            fprintf(stderr, "zeb: unknown option %s\n", option);
            usage(stderr);
            return EXIT_USAGE;
        }
        if (mode_option && strcmp(mode_option, option) != 0) {
            fprintf(stderr, "zeb: %s and %s cannot be used together: choose one\n", mode_option, option);
            usage(stderr);
            return EXIT_USAGE;
        }
        mode_option = option;
        startup_answer = strcmp(option, "--windowed") == 0 ? IDNO : IDYES;
    }
    char why[256] = "";
    if (!platform_check_display(why, sizeof why)) {
        fprintf(stderr,
                "zeb: %s.\nzeb needs a desktop session (DISPLAY or WAYLAND_DISPLAY set); nothing was started.\n", why);
        return EXIT_NO_DISPLAY;
    }
    // A played recording runs with the settings it was recorded with, never the user's.
    Settings settings;
    if (!play_path) {
        std::vector<std::string> report;
        settings = read_user_settings(&report);
        for (const std::string& line : report) fprintf(stderr, "zeb: %s\n", line.c_str());
    }
    // Before the data directory becomes the working directory: FILE is the user's path.
    if (play_path) {
        char play_why[1024] = "";
        int recorded_answer = 0;
        if (!platform_play_start(play_path, &recorded_answer, play_why, sizeof play_why)) {
            fprintf(stderr, "zeb: %s\n", play_why);
            return EXIT_USAGE;
        }
        if (!mode_option) startup_answer = recorded_answer; // as it was recorded
        const PlaySetting* recorded = nullptr;
        const size_t count = platform_play_settings(&recorded);
        for (size_t i = 0; i < count; ++i) {
            std::string refusal;
            if (!apply_setting(&settings, setting_words(recorded[i].text), &refusal)) {
                fprintf(stderr, "zeb: %s:%d: %s\n", script_quote(play_path, 0).c_str(), recorded[i].line,
                        refusal.c_str());
                return EXIT_USAGE;
            }
        }
        std::string unfit;
        if (!checks_fit_the_state(play_path, !timedemo, &unfit)) {
            fprintf(stderr, "zeb: %s\n", unfit.c_str());
            return EXIT_USAGE;
        }
    }
    if (record_path) {
        char record_why[512] = "";
        if (!platform_record_start(record_path, startup_answer, record_why, sizeof record_why)) {
            fprintf(stderr, "zeb: %s\n", record_why);
            return EXIT_USAGE;
        }
        // The settings go with the recording, so that it plays the same for anyone.
        for (const std::string& line : setting_lines(settings)) platform_record_line(("setting " + line).c_str());
    }
    char looked[2048] = "";
    if (!platform_find_data_dir("text", looked, sizeof looked)) {
        char text[2200];
        snprintf(text, sizeof text, "ZEB cannot find its data directory text/. It looked in:\n%s", looked);
        fprintf(stderr, "zeb: %s", text);
        platform_message_box(text, "ERROR", MB_OK | MB_ICONSTOP);
        platform_record_stop();
        return EXIT_NO_DATA;
    }
    reset_session(); // the one start state, the same the tests and the replay start from
    put_in_force(settings);
    if (record_path) platform_set_last_words(finish_recording); // the display may go first
    if (serial_loop) timer.pacing_wait = PacingWait::Serial;
    const int exit_code = run_program(startup_answer_of(settings, startup_answer), record_path ? check_recording
                                                                                   : timedemo  ? time_the_loop
                                                                                               : nullptr);
    if (timedemo) print_timedemo(play_path);
    if (record_path) finish_recording();
    if (record_path && g_recording_lost && exit_code == 0) return EXIT_RECORDING_LOST;
    if (play_path && !played_to_the_recorded_state()) return EXIT_PLAYED_ELSEWHERE;
    return exit_code;
}
