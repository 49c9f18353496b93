// SDL2 backend: the real window, keyboard, mouse, clock and sound of `zeb`.
#include "platform.h"
#include "record_play.h"
#include "settings_file.h"
#include "sound_file.h"
#include "wayland_seat.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <xcb/xcb.h>

#include <csignal>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

// The keys that are not letters or digits, by SDL scancode: where they sit on the keyboard.
struct KeyRow {
    SDL_Scancode scancode;
    Key key;
};
// clang-format off
constexpr KeyRow KEY_TABLE[] = {
    {SDL_SCANCODE_BACKSPACE,       Key::Backspace},      {SDL_SCANCODE_TAB,             Key::Tab},
    {SDL_SCANCODE_RETURN,          Key::Return},         {SDL_SCANCODE_KP_ENTER,        Key::Return},
    {SDL_SCANCODE_LSHIFT,          Key::Shift},          {SDL_SCANCODE_RSHIFT,          Key::Shift},
    {SDL_SCANCODE_LCTRL,           Key::Control},        {SDL_SCANCODE_RCTRL,           Key::Control},
    {SDL_SCANCODE_LALT,            Key::Alt},            {SDL_SCANCODE_RALT,            Key::Alt},
    {SDL_SCANCODE_PAUSE,           Key::Pause},          {SDL_SCANCODE_CAPSLOCK,        Key::CapsLock},
    {SDL_SCANCODE_ESCAPE,          Key::Escape},         {SDL_SCANCODE_SPACE,           Key::Space},
    {SDL_SCANCODE_PAGEUP,          Key::PageUp},         {SDL_SCANCODE_PAGEDOWN,        Key::PageDown},
    {SDL_SCANCODE_END,             Key::End},            {SDL_SCANCODE_HOME,            Key::Home},
    {SDL_SCANCODE_LEFT,            Key::Left},           {SDL_SCANCODE_UP,              Key::Up},
    {SDL_SCANCODE_RIGHT,           Key::Right},          {SDL_SCANCODE_DOWN,            Key::Down},
    {SDL_SCANCODE_PRINTSCREEN,     Key::PrintScreen},    {SDL_SCANCODE_INSERT,          Key::Insert},
    {SDL_SCANCODE_DELETE,          Key::Delete},         {SDL_SCANCODE_LGUI,            Key::LeftGui},
    {SDL_SCANCODE_RGUI,            Key::RightGui},       {SDL_SCANCODE_APPLICATION,     Key::Application},
    {SDL_SCANCODE_KP_MULTIPLY,     Key::NumpadMultiply}, {SDL_SCANCODE_KP_PLUS,         Key::NumpadPlus},
    {SDL_SCANCODE_KP_MINUS,        Key::NumpadMinus},    {SDL_SCANCODE_KP_DIVIDE,       Key::NumpadDivide},
    {SDL_SCANCODE_F1,              Key::F1},             {SDL_SCANCODE_F2,              Key::F2},
    {SDL_SCANCODE_F3,              Key::F3},             {SDL_SCANCODE_F4,              Key::F4},
    {SDL_SCANCODE_F5,              Key::F5},             {SDL_SCANCODE_F6,              Key::F6},
    {SDL_SCANCODE_F7,              Key::F7},             {SDL_SCANCODE_F8,              Key::F8},
    {SDL_SCANCODE_F9,              Key::F9},             {SDL_SCANCODE_F10,             Key::F10},
    {SDL_SCANCODE_F11,             Key::F11},            {SDL_SCANCODE_F12,             Key::F12},
    {SDL_SCANCODE_NUMLOCKCLEAR,    Key::Numlock},        {SDL_SCANCODE_SCROLLLOCK,      Key::ScrollLock},
    {SDL_SCANCODE_SEMICOLON,       Key::Semicolon},      {SDL_SCANCODE_EQUALS,          Key::Equals},
    {SDL_SCANCODE_COMMA,           Key::Comma},          {SDL_SCANCODE_MINUS,           Key::Minus},
    {SDL_SCANCODE_PERIOD,          Key::Period},         {SDL_SCANCODE_SLASH,           Key::Slash},
    {SDL_SCANCODE_GRAVE,           Key::Grave},          {SDL_SCANCODE_LEFTBRACKET,     Key::LeftBracket},
    {SDL_SCANCODE_BACKSLASH,       Key::Backslash},      {SDL_SCANCODE_RIGHTBRACKET,    Key::RightBracket},
    {SDL_SCANCODE_APOSTROPHE,      Key::Apostrophe},     {SDL_SCANCODE_NONUSBACKSLASH,  Key::NonUsBackslash},
};
// clang-format on

// The numeric keypad: its own key with NumLock on, its navigation key with NumLock off.
struct KeypadRow {
    SDL_Scancode scancode;
    Key numlock;
    Key navigation;
};
// clang-format off
constexpr KeypadRow KEYPAD_TABLE[] = {
    {SDL_SCANCODE_KP_0,       Key::Numpad0,      Key::Insert},
    {SDL_SCANCODE_KP_1,       Key::Numpad1,      Key::End},
    {SDL_SCANCODE_KP_2,       Key::Numpad2,      Key::Down},
    {SDL_SCANCODE_KP_3,       Key::Numpad3,      Key::PageDown},
    {SDL_SCANCODE_KP_4,       Key::Numpad4,      Key::Left},
    {SDL_SCANCODE_KP_5,       Key::Numpad5,      Key::Clear},
    {SDL_SCANCODE_KP_6,       Key::Numpad6,      Key::Right},
    {SDL_SCANCODE_KP_7,       Key::Numpad7,      Key::Home},
    {SDL_SCANCODE_KP_8,       Key::Numpad8,      Key::Up},
    {SDL_SCANCODE_KP_9,       Key::Numpad9,      Key::PageUp},
    {SDL_SCANCODE_KP_PERIOD,  Key::NumpadPeriod, Key::Delete},
};
// clang-format on

// Letters and digits follow the keyboard layout; every other key is taken by its position.
// Unknown for a key the program does not know.
Key key_of(const SDL_Keysym& key) {
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return static_cast<Key>(static_cast<int>(Key::A) + (key.sym - SDLK_a));
    if (key.sym >= SDLK_0 && key.sym <= SDLK_9)
        return static_cast<Key>(static_cast<int>(Key::Digit0) + (key.sym - SDLK_0));
    for (const KeypadRow& row : KEYPAD_TABLE)
        if (row.scancode == key.scancode) return (key.mod & KMOD_NUM) ? row.numlock : row.navigation;
    for (const KeyRow& row : KEY_TABLE)
        if (row.scancode == key.scancode) return row.key;
    return Key::Unknown;
}

// The sounds, read at start; the device's callback plays from them, so starting a sound
// only moves a pointer.
struct Audio {
    bool tried = false;                                 // the device was asked for once
    SDL_AudioDeviceID device = 0;                       // 0: no device, sounds are off
    std::map<std::string, std::vector<int16_t>> sounds; // by path, in the playing format
    const std::vector<int16_t>* playing = nullptr;      // the sound the callback plays
    size_t position = 0;                                // next sample of it
};

// Game controllers: every one SDL reports is opened, and the core sees them as one: a
// button is down while any of them holds it, an axis stands where the one farthest from
// rest puts it. What the core was last told is kept, so a controller pulled out hands
// over exactly the releases and zero axes it leaves, as ordinary events a recording holds.
struct PadDevice {
    SDL_JoystickID id = -1;
    SDL_GameController* controller = nullptr;
    std::array<bool, PAD_BUTTON_COUNT> buttons = {};
    std::array<int, PAD_AXIS_COUNT> axes = {};
};

struct Pads {
    bool tried = false; // the controller subsystem was started once, for the whole run
    std::vector<PadDevice> devices;
    std::array<bool, PAD_BUTTON_COUNT> told_buttons = {}; // what the core was handed last
    std::array<int, PAD_AXIS_COUNT> told_axes = {};
};

struct Sdl {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    SDL_Cursor* cursor = nullptr;         // the crosshair, made with each window
    Display* x_display = nullptr;         // SDL's X connection under the x11 driver, else null
    unsigned long x_window = 0;           // the window's X id under the x11 driver, else 0
    bool window_lost = false;             // another client destroyed the window
    bool warped = false;                  // the pointer was put somewhere since the window was made
    int warp_x = 0, warp_y = 0;           // where, in client pixels
    int warp_root_x = 0, warp_root_y = 0; // where the pointer then was on the screen
    bool relative = false;                // native Wayland: the pointer is read as motion only
    int moved_x = 0, moved_y = 0;         // the motion since it was last put somewhere
    bool window_lost_reported = false;    // its close request was handed over
    SDL_DisplayMode fullscreen_mode = {}; // the desktop mode found by change_display_mode
    bool video_up = false;
    std::deque<InputEvent> pending; // events made from one SDL event beyond the first
    bool quit_posted = false;
    int quit_code = 0;
    Audio audio; // the sound device and the sounds
    Pads pads;   // the game controllers
};

Sdl g_sdl;

// Every sound the program asked for: the state counts them.
int g_sound_requests = 0;

// Another client may destroy the window (`xdotool windowclose`, a session ending). Every
// X error about it afterwards would end the program through Xlib's default handler with
// code 1; instead the loss is taken as a close request. Only an error that says the window
// no longer exists means that: a window manager may refuse a request on a live window (a
// focus request on a window it has not mapped yet fails with BadMatch). Other errors go
// where they went.
XErrorHandler g_previous_x_error_handler = nullptr;
unsigned long g_lost_x_window = 0; // a window given up for lost: its late errors are expected

int on_x_error(Display* display, XErrorEvent* error) {
    Sdl& s = g_sdl;
    if (error->resourceid != 0 && (error->resourceid == s.x_window || error->resourceid == g_lost_x_window)) {
        const bool gone = error->error_code == BadWindow || error->error_code == BadDrawable;
        if (gone && error->resourceid == s.x_window) s.window_lost = true;
        return 0;
    }
    return g_previous_x_error_handler ? g_previous_x_error_handler(display, error) : 0;
}

// The X server went away (it ended, or the session did): nothing of the window can be
// closed any more, and Xlib ends the process when this returns. What must not be lost is
// finished first.
void (*g_last_words)() = nullptr;

int on_x_connection_lost(Display*) {
    fprintf(stderr, "zeb: the connection to the display was lost\n");
    if (void (*last_words)() = g_last_words) {
        g_last_words = nullptr; // once, even if finishing meets the dead connection again
        last_words();
    }
    _exit(EXIT_DISPLAY_LOST); // the libraries' exit handlers would talk to the dead server
}

// SIGTERM, SIGINT and SIGHUP ask the program to end as closing its window does: the loop
// ends at its next message, the window is closed and a recording is finished.
volatile sig_atomic_t g_end_signal = 0;
bool g_end_signal_reported = false;

void on_end_signal(int signal) { g_end_signal = signal; }

void catch_end_signals() {
    static bool caught = false;
    if (caught) return;
    caught = true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1"); // SDL's would be lost at every video restart
    struct sigaction action = {};
    action.sa_handler = on_end_signal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void watch_x_errors() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || strcmp(driver, "x11") != 0) return;
    const XErrorHandler previous = XSetErrorHandler(on_x_error);
    if (previous != on_x_error) g_previous_x_error_handler = previous;
    XSetIOErrorHandler(on_x_connection_lost);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE); // to see DestroyNotify for the window
}

void find_x_window(SDL_Window* window) {
    g_sdl.x_display = nullptr;
    g_sdl.x_window = 0;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    g_sdl.x_display = info.info.x11.display;
    g_sdl.x_window = info.info.x11.window;
}

// Whether a window manager runs on the display's screen: one that follows the desktop
// conventions names its check window on the root, and that window exists.
bool window_manager_running(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool named = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &after, &data) == Success &&
                       type == XA_WINDOW && count == 1 && data;
    const Window child = named ? *reinterpret_cast<Window*>(data) : 0;
    if (data) XFree(data);
    XWindowAttributes attributes; // a stale name after the manager ended: BadWindow, ignored
    const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const bool alive = child != 0 && XGetWindowAttributes(display, child, &attributes);
    XSetErrorHandler(previous);
    return alive;
}

// A window goes where the window manager places it. SDL says the program chose the
// position it was made at, which a manager honours: that hint is taken back. Without a
// manager the window would stay at the screen's corner: it is centred instead.
void place_window(SDL_Window* window) {
    Sdl& s = g_sdl;
    if (!s.x_display) return;
    if (!window_manager_running(s.x_display)) {
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        return;
    }
    XSizeHints* hints = XAllocSizeHints();
    long supplied = 0;
    if (!hints) return;
    if (XGetWMNormalHints(s.x_display, s.x_window, hints, &supplied)) {
        hints->flags &= ~(USPosition | PPosition);
        XSetWMNormalHints(s.x_display, s.x_window, hints);
    }
    XFree(hints);
}

bool destroys_window(const SDL_SysWMmsg* message) {
    return message && message->subsystem == SDL_SYSWM_X11 && message->msg.x11.event.type == DestroyNotify &&
           message->msg.x11.event.xdestroywindow.window == g_sdl.x_window && g_sdl.x_window != 0;
}

// Starts SDL's controller subsystem once; it stays up across the video restarts of F1,
// and reports the controllers already plugged in as added ones.
void start_pads() {
    Pads& p = g_sdl.pads;
    if (p.tried) return;
    p.tried = true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        fprintf(stderr, "zeb: game controllers are off (%s)\n", SDL_GetError());
}

// SDL's button and axis by their names, which are ours.
bool pad_button_of(int sdl_button, PadButton* button) {
    const char* name = SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(sdl_button));
    return name && pad_button_named(name, button);
}

bool pad_axis_of(int sdl_axis, PadAxis* axis) {
    const char* name = SDL_GameControllerGetStringForAxis(static_cast<SDL_GameControllerAxis>(sdl_axis));
    return name && pad_axis_named(name, axis);
}

PadDevice* pad_device(SDL_JoystickID id) {
    for (PadDevice& d : g_sdl.pads.devices)
        if (d.id == id) return &d;
    return nullptr;
}

// The controllers as one against what the core was told: every difference as an event,
// the first in `out`, the others pending. False when nothing changed.
bool tell_pads(InputEvent* out) {
    Pads& p = g_sdl.pads;
    std::vector<InputEvent> changes;
    for (size_t b = 0; b < PAD_BUTTON_COUNT; ++b) {
        bool down = false;
        for (const PadDevice& d : p.devices) down = down || d.buttons[b];
        if (down == p.told_buttons[b]) continue;
        p.told_buttons[b] = down;
        changes.push_back(pad_button_event(down, static_cast<PadButton>(b)));
    }
    for (size_t a = 0; a < PAD_AXIS_COUNT; ++a) {
        int value = 0;
        for (const PadDevice& d : p.devices)
            if (std::abs(d.axes[a]) > std::abs(value)) value = d.axes[a];
        if (value == p.told_axes[a]) continue;
        p.told_axes[a] = value;
        changes.push_back(pad_axis_event(static_cast<PadAxis>(a), value));
    }
    if (changes.empty()) return false;
    *out = changes.front();
    g_sdl.pending.insert(g_sdl.pending.end(), changes.begin() + 1, changes.end());
    return true;
}

// A controller plugged in (or there at start): opened, with what it already holds.
bool add_pad(int device_index, InputEvent* out) {
    if (pad_device(SDL_JoystickGetDeviceInstanceID(device_index))) return false;
    SDL_GameController* controller = SDL_GameControllerOpen(device_index);
    if (!controller) {
        fprintf(stderr, "zeb: a game controller could not be opened (%s)\n", SDL_GetError());
        return false;
    }
    PadDevice d;
    d.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    d.controller = controller;
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
        PadButton button;
        if (pad_button_of(b, &button))
            d.buttons[static_cast<size_t>(button)] =
                SDL_GameControllerGetButton(controller, static_cast<SDL_GameControllerButton>(b)) != 0;
    }
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a) {
        PadAxis axis;
        if (pad_axis_of(a, &axis))
            d.axes[static_cast<size_t>(axis)] =
                SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(a));
    }
    g_sdl.pads.devices.push_back(d);
    return tell_pads(out);
}

// A controller pulled out: what it held is let go.
bool remove_pad(SDL_JoystickID id, InputEvent* out) {
    std::vector<PadDevice>& devices = g_sdl.pads.devices;
    const auto gone = std::find_if(devices.begin(), devices.end(), [id](const PadDevice& d) { return d.id == id; });
    if (gone == devices.end()) return false;
    SDL_GameControllerClose(gone->controller);
    devices.erase(gone);
    return tell_pads(out);
}

// Turns one SDL event into input events: the first is returned, any others wait.
bool translate(const SDL_Event& event, InputEvent* out) {
    Sdl& s = g_sdl;
    switch (event.type) {
    case SDL_QUIT:
        *out = InputEvent{InputKind::Close};
        return true;
    case SDL_SYSWMEVENT:
        if (!destroys_window(event.syswm.msg)) return false;
        s.window_lost = true;
        s.window_lost_reported = true;
        *out = InputEvent{InputKind::Close};
        return true;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            *out = InputEvent{InputKind::Close};
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            *out = resize_event(event.window.data1, event.window.data2);
            return true;
        case SDL_WINDOWEVENT_HIDDEN: // unmapped: on another workspace, or minimised
            *out = focus_event(false, true);
            return true;
        case SDL_WINDOWEVENT_SHOWN:
            *out = focus_event(true, false);
            return true;
        case SDL_WINDOWEVENT_MINIMIZED:
            // As on Windows: a minimised window is told its client area is empty.
            *out = resize_event(0, 0);
            s.pending.push_back(focus_event(false, true));
            return true;
        case SDL_WINDOWEVENT_RESTORED: {
            int w = 0, h = 0;
            SDL_GetWindowSize(s.window, &w, &h);
            *out = focus_event(true, false);
            s.pending.push_back(resize_event(w, h));
            return true;
        }
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            *out = focus_event(true, false);
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            *out = focus_event(false, (SDL_GetWindowFlags(s.window) & SDL_WINDOW_MINIMIZED) != 0);
            return true;
        default:
            return false;
        }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const Key key = key_of(event.key.keysym);
        if (key == Key::Unknown) return false;
        const bool down = event.type == SDL_KEYDOWN;
        *out = key_event(down, key);
        // Alt, F10 and Alt combinations belong to the system, not to the key table.
        if (key == Key::Alt || key == Key::F10 || (event.key.keysym.mod & KMOD_ALT))
            out->kind = down ? InputKind::SystemKeyDown : InputKind::SystemKeyUp;
        return true;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (event.button.button == SDL_BUTTON_LEFT) *out = button_event(down, MouseButton::Left);
        else if (event.button.button == SDL_BUTTON_RIGHT) *out = button_event(down, MouseButton::Right);
        else return false;
        return true;
    }
    case SDL_CONTROLLERDEVICEADDED:
        return add_pad(event.cdevice.which, out);
    case SDL_CONTROLLERDEVICEREMOVED:
        return remove_pad(event.cdevice.which, out);
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        PadDevice* d = pad_device(event.cbutton.which);
        PadButton button;
        if (!d || !pad_button_of(event.cbutton.button, &button)) return false;
        d->buttons[static_cast<size_t>(button)] = event.type == SDL_CONTROLLERBUTTONDOWN;
        return tell_pads(out);
    }
    case SDL_CONTROLLERAXISMOTION: {
        PadDevice* d = pad_device(event.caxis.which);
        PadAxis axis;
        if (!d || !pad_axis_of(event.caxis.axis, &axis)) return false;
        d->axes[static_cast<size_t>(axis)] = event.caxis.value;
        return tell_pads(out);
    }
    default:
        return false;
    }
}

// Runs on SDL's audio thread, under the device lock that platform_play_sound takes.
void fill_audio(void*, Uint8* stream, int length) {
    Audio& a = g_sdl.audio;
    const size_t wanted = static_cast<size_t>(length) / sizeof(int16_t);
    size_t copied = 0;
    if (a.playing) {
        copied = std::min(wanted, a.playing->size() - a.position);
        SDL_memcpy(stream, a.playing->data() + a.position, copied * sizeof(int16_t));
        a.position += copied;
        if (a.position >= a.playing->size()) a.playing = nullptr;
    }
    SDL_memset(stream + copied * sizeof(int16_t), 0, static_cast<size_t>(length) - copied * sizeof(int16_t));
}

// ALSA prints its own errors on stderr when no card is there; the program says it once.
extern "C" void quiet_alsa_error(const char*, int, const char*, int, const char*, ...) {}

void silence_alsa() {
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(ErrorHandler);
    // The library SDL loads for its ALSA driver; absent, there is nothing to silence. It
    // stays loaded for the process, as SDL's own handle keeps it.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa) return;
    if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(quiet_alsa_error);
}

// Opens the device once, for 16-bit stereo at the sounds' rate (SDL converts for a
// device that differs). Without one, says so once: sounds are off.
bool open_audio() {
    Audio& a = g_sdl.audio;
    if (a.tried) return a.device != 0;
    a.tried = true;
    silence_alsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        SDL_AudioSpec want = {};
        want.freq = SOUND_RATE;
        want.format = AUDIO_S16SYS;
        want.channels = SOUND_CHANNELS;
        want.samples = 1024;
        want.callback = fill_audio;
        a.device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    }
    if (a.device == 0) {
        fprintf(stderr, "zeb: no sound device (%s): sounds are off\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(a.device, 0);
    return true;
}

// The watcher below speaks to the server through XCB, not Xlib: SDL shows its box from a
// forked child, and a child forked while this thread held one of Xlib's process-wide locks
// would wait on it for ever. XCB also answers a failed request with a null reply, where
// Xlib would call the process's error handler.
template <typename Reply> struct XcbReply {
    Reply* reply;
    ~XcbReply() { free(reply); }
};

bool xcb_window_alive(xcb_connection_t* connection, xcb_window_t window) {
    XcbReply<xcb_get_window_attributes_reply_t> attributes{
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr)};
    return attributes.reply != nullptr;
}

// A window manager that follows the desktop conventions names its check window on the root.
bool xcb_window_manager_running(xcb_connection_t* connection, xcb_window_t root) {
    static const char CHECK[] = "_NET_SUPPORTING_WM_CHECK";
    XcbReply<xcb_intern_atom_reply_t> atom{
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof CHECK - 1, CHECK), nullptr)};
    if (!atom.reply || atom.reply->atom == XCB_ATOM_NONE) return false;
    XcbReply<xcb_get_property_reply_t> named{xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, atom.reply->atom, XCB_ATOM_WINDOW, 0, 1), nullptr)};
    if (!named.reply || xcb_get_property_value_length(named.reply) != sizeof(xcb_window_t)) return false;
    return xcb_window_alive(connection, *static_cast<xcb_window_t*>(xcb_get_property_value(named.reply)));
}

// The top-level window shown with this title (compared as bytes: SDL names its windows in
// UTF-8), or 0.
xcb_window_t xcb_shown_window_named(xcb_connection_t* connection, xcb_window_t root, const std::string& title) {
    XcbReply<xcb_query_tree_reply_t> tree{xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr)};
    if (!tree.reply) return 0;
    const xcb_window_t* children = xcb_query_tree_children(tree.reply);
    for (int i = xcb_query_tree_children_length(tree.reply); i-- > 0;) { // topmost first
        XcbReply<xcb_get_window_attributes_reply_t> attributes{
            xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, children[i]), nullptr)};
        if (!attributes.reply || attributes.reply->map_state != XCB_MAP_STATE_VIEWABLE) continue;
        XcbReply<xcb_get_property_reply_t> name{xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, children[i], XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64), nullptr)};
        if (name.reply && static_cast<size_t>(xcb_get_property_value_length(name.reply)) == title.size() &&
            memcmp(xcb_get_property_value(name.reply), title.data(), title.size()) == 0)
            return children[i];
    }
    return 0;
}

// Without a window manager nobody gives a new window the keyboard: the keys would go to
// whatever lies under the pointer, and a box's Return and Escape would not reach it. A
// watcher on a connection of its own gives the box the focus while it is shown, until it
// is answered (a loaded machine may take seconds to show it).
constexpr int BOX_LOOK_INTERVAL_MS = 20;
std::atomic<bool> g_box_answered{false};

void focus_box_when_shown(std::string title) {
    // A bare X server whose last client has just left resets and refuses connections for a
    // moment: the watcher asks again, as the video start-up does.
    int screen_number = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
    while (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        if (g_box_answered) return;
        SDL_Delay(BOX_LOOK_INTERVAL_MS);
        connection = xcb_connect(nullptr, &screen_number);
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
    const xcb_window_t root = screens.rem > 0 ? screens.data->root : 0;
    if (root != 0 && !xcb_window_manager_running(connection, root))
        while (!g_box_answered) {
            // Again whenever the box has lost it: the toolkit may map the box more than once.
            const xcb_window_t box = xcb_shown_window_named(connection, root, title);
            XcbReply<xcb_get_input_focus_reply_t> focus{
                xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr)};
            if (box != 0 && focus.reply && focus.reply->focus != box) {
                xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, box, XCB_CURRENT_TIME);
                xcb_flush(connection);
            }
            SDL_Delay(BOX_LOOK_INTERVAL_MS);
        }
    xcb_disconnect(connection);
}

// The box could not be shown: take the caller's answer and say so on the terminal.
int unshown_answer(const SDL_MessageBoxData& box, bool yes_no, int unanswered) {
    const int answer = unanswered != 0 ? unanswered : (yes_no ? IDNO : IDOK);
    const char* name = answer == IDYES ? "Yes" : answer == IDNO ? "No" : "OK";
    fprintf(stderr, "zeb: could not show a message box (%s)\n  %s: %s\n  answered %s\n", SDL_GetError(),
            box.title ? box.title : "", box.message ? box.message : "", name);
    return answer;
}

} // namespace

int backend_message_box(const char* text, const char* caption, unsigned style, int unanswered, bool* shown) {
    const bool yes_no = (style & 0xF) == MB_YESNO;
    // clang-format off
    const SDL_MessageBoxButtonData yes_no_buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"},
    };
    // clang-format on
    const SDL_MessageBoxButtonData ok_button[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK, "OK"},
    };
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    const unsigned icon = style & 0xF0;
    if (icon == MB_ICONSTOP) flags = SDL_MESSAGEBOX_ERROR;
    else if (icon == MB_ICONEXCLAMATION) flags = SDL_MESSAGEBOX_WARNING;
    SDL_MessageBoxData box = {};
    box.flags = flags;
    box.title = caption;
    box.message = text;
    box.numbuttons = yes_no ? 2 : 1;
    box.buttons = yes_no ? yes_no_buttons : ok_button;
    int pressed = -1;
    g_box_answered = false;
    std::thread watcher;
    if (SDL_getenv("DISPLAY")) watcher = std::thread(focus_box_when_shown, std::string(caption ? caption : ""));
    *shown = SDL_ShowMessageBox(&box, &pressed) == 0;
    g_box_answered = true;
    if (watcher.joinable()) watcher.join();
    // Closed without a button (the window manager's close): as Escape would answer.
    return !*shown ? unshown_answer(box, yes_no, unanswered) : pressed < 0 ? (yes_no ? IDNO : IDOK) : pressed;
}

namespace {

// An X server that has just lost its last client resets and refuses connections for a
// moment (a bare Xvfb right after another program ended): when DISPLAY names one, its
// driver is asked for again before SDL may settle for another, perhaps invisible, one.
bool start_x11_video() {
    const char* display = SDL_getenv("DISPLAY");
    if (!display || !*display) return false;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    for (int tries = 0; tries < 20; ++tries) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
        SDL_Delay(100);
    }
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    return false;
}

} // namespace

bool platform_check_display(char* why, size_t why_size) {
    catch_end_signals();
    if (wayland_compositor_without_seat()) {
        snprintf(why, why_size,
                 "the Wayland compositor offers no input seat (no keyboard, no pointer), on which SDL's "
                 "Wayland video driver crashes; run zeb through XWayland (DISPLAY set, SDL_VIDEODRIVER unset)");
        return false;
    }
    if (!start_x11_video() && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        snprintf(why, why_size, "no display could be opened (%s)", SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const std::string name = driver ? driver : "";
    const bool visible = !name.empty() && name != "offscreen" && name != "dummy" && SDL_GetNumVideoDisplays() > 0;
    if (!visible)
        snprintf(why, why_size, "no usable display: SDL chose its \"%s\" video driver, which shows nothing",
                 name.c_str());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    // Every later start of the video subsystem uses this driver or fails: SDL must not
    // fall back to an invisible one when a connection fails later (seen under load).
    if (visible) SDL_SetHint(SDL_HINT_VIDEODRIVER, name.c_str());
    return visible;
}

bool platform_register_class() {
    // An X server that has just lost its last client resets and refuses connections for
    // a moment (a bare Xvfb after the display check or a fullscreen toggle): try again.
    int tries = 0;
    while (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0 && ++tries < 20) SDL_Delay(100);
    if (tries == 20) {
        fprintf(stderr, "zeb: the display could not be opened: %s\n", SDL_GetError());
        return false;
    }
    // A window on an invisible driver would run unseen at full speed: refuse it.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || strcmp(driver, "offscreen") == 0 || strcmp(driver, "dummy") == 0) {
        fprintf(stderr, "zeb: SDL chose its \"%s\" video driver, which shows nothing\n", driver ? driver : "");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    g_sdl.video_up = true;
    watch_x_errors();
    start_pads();
    return true;
}

bool platform_unregister_class() {
    if (!g_sdl.video_up) return false;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    g_sdl.video_up = false;
    return true;
}

// Fullscreen covers the desktop at its own mode, with no mode switch: an exact
// width x height mode often does not exist (never under Wayland, not on Xvfb), and
// current desktops scale badly after a switch. The view follows the real window size.
namespace {

bool find_display_mode(int bits) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0 || mode.w <= 0 || mode.h <= 0) return false;
    // A 32-bit request is met by any true-colour mode.
    if (static_cast<int>(SDL_BITSPERPIXEL(mode.format)) < (bits >= 24 ? 24 : bits)) return false;
    g_sdl.fullscreen_mode = mode;
    return true;
}

} // namespace

bool backend_change_display_mode(int, int, int bits, int* desktop_width, int* desktop_height) {
    if (!find_display_mode(bits)) return false;
    *desktop_width = g_sdl.fullscreen_mode.w;
    *desktop_height = g_sdl.fullscreen_mode.h;
    return true;
}

// The mode is left with the fullscreen window, when it is destroyed or minimised.
void platform_restore_display_mode() {}

void platform_show_cursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

bool platform_create_window(const char* title, int width, int height, bool fullscreen) {
    Sdl& s = g_sdl;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    // A window the user can resize and maximise; the view follows its client area.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | (fullscreen ? 0 : SDL_WINDOW_RESIZABLE);
    if (fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        // Made at the desktop's size: without a window manager to honour the fullscreen
        // state (a bare X server) the window still covers the screen.
        if (s.fullscreen_mode.w > 0 && s.fullscreen_mode.h > 0) {
            width = s.fullscreen_mode.w;
            height = s.fullscreen_mode.h;
        }
    }
    // On X11 the visual, and with it the depth buffer, is fixed when the window is made:
    // ask for the deepest buffer first and settle for less.
    for (int depth : {32, 24, 16}) {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        s.window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
        if (s.window) break;
    }
    if (!s.window) return false;
    find_x_window(s.window);
    if (!fullscreen) place_window(s.window);
    s.window_lost = false;
    s.window_lost_reported = false;
    // Cursors end with the video subsystem, which a fullscreen toggle restarts: each window
    // makes its own crosshair.
    s.cursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_CROSSHAIR);
    if (s.cursor) SDL_SetCursor(s.cursor);
    return true;
}

void platform_set_min_client_size(int width, int height) {
    if (g_sdl.window) SDL_SetWindowMinimumSize(g_sdl.window, width, height);
}

bool platform_get_client_size(int* width, int* height) {
    if (!g_sdl.window) return false;
    SDL_GL_GetDrawableSize(g_sdl.window, width, height);
    return *width > 0 && *height > 0;
}

bool platform_destroy_window() {
    Sdl& s = g_sdl;
    if (!s.window) return false;
    // Another client may have destroyed the window since the last message: ask the server
    // now (the answer comes through on_x_error) rather than let SDL find out below.
    XWindowAttributes attributes;
    if (s.x_display && !s.window_lost && !XGetWindowAttributes(s.x_display, s.x_window, &attributes))
        s.window_lost = true;
    if (s.window_lost) {
        g_lost_x_window = s.x_window;
        // SDL hides a window before destroying it and waits, without a bound, for the
        // server to say it was unmapped; a destroyed window never will. The event it
        // waits for is put in its queue, so the wait ends at once.
        if (s.x_display) {
            XEvent unmapped = {};
            unmapped.xunmap.type = UnmapNotify;
            unmapped.xunmap.display = s.x_display;
            unmapped.xunmap.event = s.x_window;
            unmapped.xunmap.window = s.x_window;
            XPutBackEvent(s.x_display, &unmapped);
        }
    }
    SDL_DestroyWindow(s.window);
    // The errors about a lost window must arrive while on_x_error is the handler: closing
    // the connection later goes through the default one.
    if (s.window_lost && s.x_display) XSync(s.x_display, False);
    s.window = nullptr;
    s.x_display = nullptr;
    s.x_window = 0;
    s.warped = false;
    s.relative = false;
    if (s.cursor) SDL_FreeCursor(s.cursor);
    s.cursor = nullptr;
    s.pending.clear();
    return true;
}

bool platform_get_device_context() { return g_sdl.window != nullptr; }
bool platform_release_device_context() { return g_sdl.window != nullptr; }

// The format was chosen with the window's visual; what is left is to confirm that the
// window can carry an OpenGL context.
int platform_choose_pixel_format(int, int) {
    return g_sdl.window && (SDL_GetWindowFlags(g_sdl.window) & SDL_WINDOW_OPENGL) ? 1 : 0;
}

bool platform_set_pixel_format(int format) { return format == 1 && g_sdl.window; }

bool platform_create_context() {
    Sdl& s = g_sdl;
    s.context = SDL_GL_CreateContext(s.window);
    if (!s.context) return false;
    SDL_GL_SetSwapInterval(0); // refused under some drivers; their swaps do not wait anyway
    return true;
}

bool platform_make_current() { return g_sdl.context && SDL_GL_MakeCurrent(g_sdl.window, g_sdl.context) == 0; }

bool platform_release_current() { return SDL_GL_MakeCurrent(g_sdl.window, nullptr) == 0; }

bool platform_delete_context() {
    if (!g_sdl.context) return false;
    SDL_GL_DeleteContext(g_sdl.context);
    g_sdl.context = nullptr;
    return true;
}

namespace {

// Native Wayland lets no client put the pointer anywhere: the window locks it instead and
// reads its motion, which SDL's relative mode does. The motion is read even where the lock
// fails (a seat without a pointer yet): SDL then measures it from the pointer's places.
// Motion from before counts for nothing.
void read_pointer_as_motion() {
    Sdl& s = g_sdl;
    s.relative = wayland_driver_in_use();
    if (s.relative) SDL_SetRelativeMouseMode(SDL_TRUE);
    s.moved_x = 0;
    s.moved_y = 0;
    SDL_GetRelativeMouseState(nullptr, nullptr);
}

} // namespace

void platform_show_window() {
    SDL_ShowWindow(g_sdl.window);
    SDL_RaiseWindow(g_sdl.window);
    SDL_SetWindowInputFocus(g_sdl.window);
    read_pointer_as_motion();
}

void backend_swap_buffers() {
    if (g_sdl.window) SDL_GL_SwapWindow(g_sdl.window);
}

namespace {

bool next_event(InputEvent* message) {
    Sdl& s = g_sdl;
    if (!s.pending.empty()) {
        *message = s.pending.front();
        s.pending.pop_front();
        return true;
    }
    SDL_Event event;
    while (s.video_up && SDL_PollEvent(&event))
        if (translate(event, message)) return true;
    if (s.window_lost && !s.window_lost_reported) { // known from an X error only
        s.window_lost_reported = true;
        *message = InputEvent{InputKind::Close};
        return true;
    }
    if (g_end_signal != 0 && !g_end_signal_reported) {
        g_end_signal_reported = true;
        *message = InputEvent{InputKind::Close};
        return true;
    }
    if (s.quit_posted) {
        s.quit_posted = false;
        *message = quit_event(s.quit_code);
        return true;
    }
    return false;
}

} // namespace

bool backend_poll_event(InputEvent* event) { return next_event(event); }

bool platform_wait_event(uint32_t timeout_ms) {
    const Sdl& s = g_sdl;
    if (!s.pending.empty() || s.quit_posted || (s.window_lost && !s.window_lost_reported)) return true;
    if (g_end_signal != 0 && !g_end_signal_reported) return true;
    if (!s.video_up) {
        SDL_Delay(timeout_ms);
        return false;
    }
    return SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<uint32_t>(timeout_ms, INT32_MAX))) == 1;
}

void platform_sleep(uint32_t ms) { SDL_Delay(ms); }

void platform_set_last_words(void (*last_words)()) { g_last_words = last_words; }

void platform_post_quit(int exit_code) {
    g_sdl.quit_posted = true;
    g_sdl.quit_code = exit_code;
}

void platform_default_input(const InputEvent&) {}

namespace {

// The pointer on the screen, from the X server; false when it cannot be asked.
bool x_pointer(int* root_x, int* root_y) {
    Sdl& s = g_sdl;
    if (s.x_window == 0 || s.window_lost) return false;
    Window root = 0, child = 0;
    int window_x = 0, window_y = 0;
    unsigned int buttons = 0;
    return XQueryPointer(s.x_display, s.x_window, &root, &child, root_x, root_y, &window_x, &window_y, &buttons);
}

} // namespace

void backend_get_cursor_pos(int* x, int* y) {
    Sdl& s = g_sdl;
    // Where the pointer was put, moved by what the user did since on the screen. Its place
    // in the window would also move with the window, and a window manager moves the window
    // while it restores or places it: that is no movement of the user's.
    int root_x = 0, root_y = 0;
    if (s.relative) {
        // Where it was put, moved by the motion since: none is lost between a reading and
        // the next putting back, which only moves the origin.
        SDL_PumpEvents();
        int dx = 0, dy = 0;
        SDL_GetRelativeMouseState(&dx, &dy);
        s.moved_x += dx;
        s.moved_y += dy;
        *x = s.warp_x + s.moved_x;
        *y = s.warp_y + s.moved_y;
    } else if (s.warped && x_pointer(&root_x, &root_y)) {
        *x = s.warp_x + (root_x - s.warp_root_x);
        *y = s.warp_y + (root_y - s.warp_root_y);
    } else {
        // Elsewhere: the global state is cached until events are pumped; read the window's
        // position in the same step so the result is in client pixels.
        SDL_PumpEvents();
        int gx = 0, gy = 0, wx = 0, wy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        if (s.window) SDL_GetWindowPosition(s.window, &wx, &wy);
        *x = gx - wx;
        *y = gy - wy;
    }
}

bool backend_set_cursor_pos(int x, int y) {
    Sdl& s = g_sdl;
    if (!s.window) return false;
    if (s.relative) {
        s.warp_x = x;
        s.warp_y = y;
        s.moved_x = 0;
        s.moved_y = 0;
        return true;
    }
    SDL_WarpMouseInWindow(s.window, x, y);
    // Read back where it went (the screen's edge may have stopped it): the next reading
    // measures the user's movement from there.
    s.warped = x_pointer(&s.warp_root_x, &s.warp_root_y);
    s.warp_x = x;
    s.warp_y = y;
    return true;
}

bool backend_has_focus() { return g_sdl.window && (SDL_GetWindowFlags(g_sdl.window) & SDL_WINDOW_INPUT_FOCUS); }

bool platform_query_performance_frequency(int64_t* frequency) {
    *frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
    return *frequency > 0;
}

int64_t platform_query_performance_counter() { return static_cast<int64_t>(SDL_GetPerformanceCounter()); }
uint32_t platform_time_get_time() { return SDL_GetTicks(); }
uint32_t platform_tick_count() { return SDL_GetTicks(); }

int backend_sound_requests() { return g_sound_requests; }

bool platform_context_current() { return g_sdl.context && SDL_GL_GetCurrentContext() == g_sdl.context; }

bool platform_load_sound(const char* path) {
    if (!path || !open_audio()) return false;
    Audio& a = g_sdl.audio;
    if (a.sounds.count(path)) return true;
    std::vector<int16_t> samples;
    std::string why;
    if (!read_sound_file(path, &samples, &why)) {
        fprintf(stderr, "%s\n", sound_refusal_line(path, why).c_str());
        return false;
    }
    a.sounds[path] = std::move(samples);
    return true;
}

void platform_play_sound(const char* path) {
    g_sound_requests += 1;
    Audio& a = g_sdl.audio;
    if (!path || a.device == 0) return;
    const auto found = a.sounds.find(path);
    if (found == a.sounds.end()) return; // refused at start, and said so then
    SDL_LockAudioDevice(a.device);
    a.playing = &found->second; // a new sound cuts the one still playing
    a.position = 0;
    SDL_UnlockAudioDevice(a.device);
}

void platform_free_sounds() {
    Audio& a = g_sdl.audio;
    if (a.device != 0) {
        SDL_CloseAudioDevice(a.device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    a = Audio{};
}

std::string platform_settings_path() { return settings_path_for(getenv("XDG_CONFIG_HOME"), getenv("HOME")); }
