#include "program.h"

#include "app/input.h"
#include "app/pad.h"
#include "app/timer.h"
#include "app/window.h"
#include "nav/player.h"
#include "platform/platform.h"
#include "render/frame.h"
#include "nav/keys.h"
#include "weapons/weapon_table.h"

#include <algorithm>
#include <string>
#include <vector>

#include <GL/gl.h>

ProgramState program;

namespace {

constexpr const char* WINDOW_TITLE = "ZEB";
constexpr int WINDOW_WIDTH = 1024;
constexpr int WINDOW_HEIGHT = 768;
constexpr int WINDOW_BITS = 32;

// Every sound the program plays, read before the first frame so that no shot waits on a
// file: the weapons' in table order, then the lift's. A sound is read once, so a refused
// one is said once.
void load_sounds() {
    std::vector<std::string> sounds;
    for (int n = 1; n <= weapon_count(); ++n)
        for (const char* sound : weapon_record(n)->sounds)
            if (sound && std::find(sounds.begin(), sounds.end(), sound) == sounds.end()) sounds.push_back(sound);
    sounds.push_back(LIFT_SOUND);
    for (const std::string& sound : sounds) platform_load_sound(sound.c_str()); // a refused one stays silent
}

void end_program(int exit_code) {
    platform_free_sounds();
    platform_finish_screenshots(); // the last shots reach the disk before the process ends
    program.running = false;
    program.exited = true;
    program.exit_code = exit_code;
}

// The loop has ended normally: close the window and keep the exit code.
Iteration finish(int exit_code) {
    close_window();
    end_program(exit_code);
    return Iteration::Ended;
}

// Mouse-look input: the cursor's offset from the centre, then the cursor back to it.
// Only while the window owns the input, so a program in the background does not hold
// the pointer of the whole desktop. When the input comes back the pointer is taken to the
// centre first, so neither the view nor a shot follows where it was left on the desktop.
void read_cursor() {
    if (!platform_has_focus()) {
        pointer.pointer_held = false;
        return;
    }
    if (!pointer.pointer_held) {
        take_pointer();
        return;
    }
    int x = 0, y = 0;
    platform_get_cursor_pos(&x, &y);
    pointer.cursor_pos = CursorPos{x, y};
    const CursorPos center = pointer.center;
    platform_set_cursor_pos(center.x, center.y);
    apply_mouse_look(center.x - x, center.y - y);
}

} // namespace

bool program_start(int startup_answer) {
    program = ProgramState{};
    // Unshown, the question is answered No: a window works on every desktop.
    const int answer = startup_answer != 0
                           ? startup_answer
                           : platform_message_box("Would you like to run in fullscreen mode?", "Start FullScreen?",
                                                  MB_YESNO | MB_ICONQUESTION, IDNO);
    if (answer == IDNO) window.fullscreen = false;
    if (!open_window(WINDOW_TITLE, WINDOW_WIDTH, WINDOW_HEIGHT, WINDOW_BITS, window.fullscreen)) {
        end_program(EXIT_OPEN_FAILED);
        return false;
    }
    load_sounds();
    timer_init();
    program.running = true;
    return true;
}

bool toggle_fullscreen() {
    close_window();
    window.fullscreen = !window.fullscreen;
    if (open_window(WINDOW_TITLE, WINDOW_WIDTH, WINDOW_HEIGHT, WINDOW_BITS, window.fullscreen)) return true;
    end_program(EXIT_OPEN_FAILED); // the partial window was already cleaned up
    return false;
}

Iteration program_iterate() {
    if (!program.running) return Iteration::Ended;
    InputEvent event;
    if (platform_poll_event(&event)) {
        if (event.kind == InputKind::Quit) return finish(event.exit_code);
        window_proc(event);
        return Iteration::Message;
    }

    program.frame_iterations += 1;
    const float t0 = static_cast<float>(timer_now_ms());
    if (window.active && !render_frame()) return finish(0);
    if (window.active && input_requests.screenshot_asked) {
        input_requests.screenshot_asked = false;
        platform_screenshot(); // before the swap: the frame just drawn is still in the buffer
    }
    if (keys[Key::Escape] || input_requests.quit_asked) return finish(0);
    if (window.active) {
        // The driver rasterises only once it is handed the frame: a flush lets it work
        // while the loop waits, instead of after the wait, at the swap.
        if (timer.pacing_wait == PacingWait::Overlapped) glFlush();
        wait_frame_pacing(t0);
    } else {
        wait_idle(t0);
    }
    platform_swap_buffers();
    read_cursor();
    apply_pad_look();
    apply_held_keys();

    if (keys[Key::F1] || input_requests.fullscreen_asked) {
        keys[Key::F1] = false;
        input_requests.fullscreen_asked = false;
        if (!toggle_fullscreen()) return Iteration::Ended;
    }
    finish_key_step();
    finish_pad_step();
    return Iteration::Frame;
}

int run_program(int startup_answer, void (*after_each_step)()) {
    if (!program_start(startup_answer)) return program.exit_code;
    do {
        if (after_each_step) after_each_step();
    } while (program_iterate() != Iteration::Ended);
    return program.exit_code;
}
