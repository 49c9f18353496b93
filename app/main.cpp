// zeb: the walk-through in a real window.
#include "app/program.h"
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
    if (argc > 2) {
        usage(stderr);
        return EXIT_USAGE;
    }
    if (argc == 2) {
        if (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0) {
            usage(stdout);
            return 0;
        }
        if (strcmp(argv[1], "--windowed") == 0) preset_startup_answer = IDNO;
        else if (strcmp(argv[1], "--fullscreen") == 0) preset_startup_answer = IDYES;
        else {
            fprintf(stderr, "zeb: unknown option %s\n", argv[1]);
            usage(stderr);
            return EXIT_USAGE;
        }
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
    return run_program();
}
