#include "window.h"

#include "app/input.h"
#include "app/pad.h"
#include "assets/level.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "assets/gl_caps.h"
#include "render/frame.h"
#include "render/hud.h"
#include "render/particles.h"
#include "render/water.h"
#include "render/scene_setup.h"
#include "render/view.h"
#include "nav/keys.h"
#include "weapons/weapons.h"

#include <GL/gl.h>
#include <GL/glu.h>

WindowState window;

void reset_window_state() { window = WindowState{}; }

namespace {

// What open_window has made and close_window must release. Not session state: it
// follows the window, and close_window clears it before any reset.
struct WindowHandles {
    bool context;        // rendering context exists
    bool device_context; // drawable obtained
    bool window;         // window exists
};
WindowHandles g_handles;

constexpr int PIXEL_DEPTH_BITS = 32;

void error_box(const char* text) { platform_message_box(text, "ERROR", MB_OK | MB_ICONEXCLAMATION); }
void shutdown_box(const char* text) { platform_message_box(text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION); }

// Closes what was made so far, then reports the step that failed.
bool fail_open(const char* text) {
    close_window();
    error_box(text);
    return false;
}

// A mouse button, or the trigger that stands for it.
void click(MouseButton button, bool down) {
    // A click that gives the window the input back aims at the crosshair, not at the
    // pointer position read before the input was lost.
    if (!pointer.pointer_held && platform_has_focus()) take_pointer();
    on_mouse_button(button, down);
}

} // namespace

bool open_window(const char* title, int width, int height, int bits, bool fullscreen_wanted) {
    window.fullscreen = fullscreen_wanted;
    if (!platform_register_class()) {
        error_box("Failed To Register The Window Class.");
        return false;
    }
    if (window.fullscreen && !platform_change_display_mode(width, height, bits)) {
        const int answer = platform_message_box(
            "The requested fullscreen mode is not supported by\nyour video card. Use windowed mode instead?", "Vexa GL",
            MB_YESNO | MB_ICONEXCLAMATION, IDYES); // unshown: windowed keeps the user working
        if (answer != IDYES) {
            platform_message_box("Program will now close.", "ERROR", MB_OK | MB_ICONSTOP);
            return false;
        }
        window.fullscreen = false;
    }
    if (window.fullscreen) platform_show_cursor(false);

    if (!platform_create_window(title, width, height, window.fullscreen)) return fail_open("Window Creation Error.");
    g_handles.window = true;
    if (!window.fullscreen) platform_set_min_client_size(HUD_MIN_WIDTH, HUD_MIN_HEIGHT);
    if (!platform_get_device_context()) return fail_open("Can't create a GL device context.");
    g_handles.device_context = true;
    const int format = platform_choose_pixel_format(bits, PIXEL_DEPTH_BITS);
    if (format == 0) return fail_open("Can't find a suitable pixelformat.");
    if (!platform_set_pixel_format(format)) return fail_open("Can't set the pixelformat.");
    if (!platform_create_context()) return fail_open("Can't create a GL rendering context.");
    g_handles.context = true;
    if (!platform_make_current()) return fail_open("Can't activate the GL rendering context.");

    start_colour_of_new_context();
    platform_show_window();
    resize_to_window(width, height);
    set_pointer_center(view.view_width, view.view_height);
    // The pointer may be anywhere on the desktop: the first frame takes it to the centre
    // instead of turning the view by where it was.
    pointer.pointer_held = false;
    attach_world_parts();
    if (!init_scene()) return fail_open("Initialization failed.");
    return true;
}

void close_window() {
    if (window.fullscreen) {
        platform_restore_display_mode();
        // Bring the pointer back: a window reopened after a toggle must not lose it.
        platform_show_cursor(true);
    }
    if (g_handles.context) {
        // The program's GL objects go while their context is current: after the release
        // no GL call has a context to act on.
        if (platform_context_current()) release_scene();
        if (!platform_release_current()) shutdown_box("Release of DC and RC failed.");
        if (!platform_delete_context()) shutdown_box("Release rendering context failed.");
        g_handles.context = false;
    }
    if (g_handles.device_context) {
        if (!platform_release_device_context()) shutdown_box("Release device context failed.");
        g_handles.device_context = false;
    }
    if (g_handles.window) {
        if (!platform_destroy_window()) shutdown_box("Could not release hWnd.");
        g_handles.window = false;
    }
    if (!platform_unregister_class()) shutdown_box("Could not unregister class.");
    // What a context never made current held went with it; the next one starts afresh.
    forget_scene();
}

bool window_proc(const InputEvent& event) {
    switch (event.kind) {
    case InputKind::FocusGained:
    case InputKind::FocusLost:
        window.active = !event.minimised; // only a minimised window stops
        return true;
    case InputKind::System:
        if (event.request == SystemRequest::ScreenSaver || event.request == SystemRequest::MonitorPower) return true;
        platform_default_input(event);
        return false;
    case InputKind::Close:
        platform_post_quit(0);
        return true;
    case InputKind::KeyDown:
        press_key(event.key);
        return true;
    case InputKind::KeyUp:
        release_key(event.key);
        return true;
    case InputKind::Resize: {
        resize_view(event.width, event.height);
        // The pointer still stands at the old centre: the next frame takes it to the new
        // one instead of reading the distance between the two as a turn of the view.
        const CursorPos old_center = pointer.center;
        set_pointer_center(event.width, event.height);
        if (pointer.center.x != old_center.x || pointer.center.y != old_center.y) pointer.pointer_held = false;
        return true;
    }
    case InputKind::ButtonDown:
    case InputKind::ButtonUp:
        click(event.button, event.kind == InputKind::ButtonDown);
        return true;
    case InputKind::PadButtonDown:
        press_pad_button(event.pad_button);
        return true;
    case InputKind::PadButtonUp:
        release_pad_button(event.pad_button);
        return true;
    case InputKind::PadAxis: {
        const TriggerChange trigger = move_pad_axis(event.pad_axis, event.axis_value);
        if (trigger.changed) click(trigger.button, trigger.down);
        return true;
    }
    case InputKind::SystemKeyDown: // Alt and F10 are the system's: never in the key table
    case InputKind::SystemKeyUp:
    case InputKind::Quit: // the loop's own, never dispatched
        break;
    }
    platform_default_input(event);
    return false;
}
