// zeb: the walk-through in a real window.
#include "app/program.h"
#include "app/session.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int EXIT_USAGE = 2;
constexpr int EXIT_NO_DISPLAY = 1;
constexpr int EXIT_NO_DATA = 1;

void usage(FILE* out) {
    fprintf(out,
            "usage: zeb [--windowed | --fullscreen | --help]\n"
            "  --windowed    open a 1024 x 768 window without asking\n"
            "  --fullscreen  cover the desktop without asking (F1 toggles)\n"
            "  --help        this text\n"
            "Without an option a box asks whether to run fullscreen. The data directory\n"
            "text/ is read from the working directory, else from next to the program, else\n"
            "from ../share/zeb relative to the program, else from the directory $ZEB_DATA.\n");
}

} // namespace

int main(int argc, char** argv) {
    const char* mode_option = nullptr; // the first of --windowed and --fullscreen given
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (strcmp(option, "--help") == 0 || strcmp(option, "-h") == 0) {
            usage(stdout);
            return 0;
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
        preset_startup_answer = strcmp(option, "--windowed") == 0 ? IDNO : IDYES;
    }
    char why[256] = "";
    if (!platform_check_display(why, sizeof why)) {
        fprintf(stderr, "zeb: %s.\nzeb needs a desktop session (DISPLAY or WAYLAND_DISPLAY set); nothing was started.\n",
                why);
        return EXIT_NO_DISPLAY;
    }
    char looked[2048] = "";
    if (!platform_find_data_dir("text", looked, sizeof looked)) {
        char text[2200];
        snprintf(text, sizeof text, "ZEB cannot find its data directory text/. It looked in:\n%s", looked);
        fprintf(stderr, "zeb: %s", text);
        platform_message_box(text, "ERROR", MB_OK | MB_ICONSTOP);
        return EXIT_NO_DATA;
    }
    reset_session(); // the one start state, the same the tests and the replay start from
    return run_program();
}
