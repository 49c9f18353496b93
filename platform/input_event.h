// The inputs a backend hands the core, named for what they are: keys, mouse buttons, a
// game controller's buttons and axes, window changes and requests. Any source of input (a window system, a played script, a
// settings file naming keys) speaks these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

// Every key the program knows: the bound keys and any other a keyboard sends. The same key
// on either side (Shift, Control, Alt) is one key; the keypad's keys are keys of their own
// while NumLock is on and its navigation keys (End, Up...) while it is off.
// clang-format off
enum class Key : uint8_t {
    Unknown, // a key the program does not know: the key table ignores it
    Backspace, Tab, Clear, Return, Shift, Control, Alt, Pause, CapsLock, Escape, Space,
    PageUp, PageDown, End, Home, Left, Up, Right, Down, PrintScreen, Insert, Delete,
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
    LeftGui, RightGui, Application,
    Numpad0, Numpad1, Numpad2, Numpad3, Numpad4, Numpad5, Numpad6, Numpad7, Numpad8, Numpad9,
    NumpadMultiply, NumpadPlus, NumpadMinus, NumpadPeriod, NumpadDivide,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    Numlock, ScrollLock,
    Semicolon, Equals, Comma, Minus, Period, Slash, Grave, LeftBracket, Backslash, RightBracket, Apostrophe,
    NonUsBackslash,
    Count
};
// clang-format on
constexpr size_t KEY_COUNT = static_cast<size_t>(Key::Count);

// A key's name: what scripts, recordings and settings call it. SDL's key names where they
// are one word (letters and digits as their characters); the keypad keeps the Numpad names
// scripts have always used, and the punctuation keys take SDL's scancode names, which do
// not depend on the keyboard layout. Names are case-sensitive.
struct KeyName {
    Key key;
    const char* name;
};
// clang-format off
constexpr KeyName KEY_NAMES[] = {
    {Key::Backspace,      "Backspace"},      {Key::Tab,            "Tab"},
    {Key::Clear,          "Clear"},          {Key::Return,         "Return"},
    {Key::Shift,          "Shift"},          {Key::Control,        "Control"},
    {Key::Alt,            "Alt"},            {Key::Pause,          "Pause"},
    {Key::CapsLock,       "CapsLock"},       {Key::Escape,         "Escape"},
    {Key::Space,          "Space"},          {Key::PageUp,         "PageUp"},
    {Key::PageDown,       "PageDown"},       {Key::End,            "End"},
    {Key::Home,           "Home"},           {Key::Left,           "Left"},
    {Key::Up,             "Up"},             {Key::Right,          "Right"},
    {Key::Down,           "Down"},           {Key::PrintScreen,    "PrintScreen"},
    {Key::Insert,         "Insert"},         {Key::Delete,         "Delete"},
    {Key::Digit0,         "0"},              {Key::Digit1,         "1"},
    {Key::Digit2,         "2"},              {Key::Digit3,         "3"},
    {Key::Digit4,         "4"},              {Key::Digit5,         "5"},
    {Key::Digit6,         "6"},              {Key::Digit7,         "7"},
    {Key::Digit8,         "8"},              {Key::Digit9,         "9"},
    {Key::A,              "A"},              {Key::B,              "B"},
    {Key::C,              "C"},              {Key::D,              "D"},
    {Key::E,              "E"},              {Key::F,              "F"},
    {Key::G,              "G"},              {Key::H,              "H"},
    {Key::I,              "I"},              {Key::J,              "J"},
    {Key::K,              "K"},              {Key::L,              "L"},
    {Key::M,              "M"},              {Key::N,              "N"},
    {Key::O,              "O"},              {Key::P,              "P"},
    {Key::Q,              "Q"},              {Key::R,              "R"},
    {Key::S,              "S"},              {Key::T,              "T"},
    {Key::U,              "U"},              {Key::V,              "V"},
    {Key::W,              "W"},              {Key::X,              "X"},
    {Key::Y,              "Y"},              {Key::Z,              "Z"},
    {Key::LeftGui,        "LeftGUI"},        {Key::RightGui,       "RightGUI"},
    {Key::Application,    "Application"},    {Key::Numpad0,        "Numpad0"},
    {Key::Numpad1,        "Numpad1"},        {Key::Numpad2,        "Numpad2"},
    {Key::Numpad3,        "Numpad3"},        {Key::Numpad4,        "Numpad4"},
    {Key::Numpad5,        "Numpad5"},        {Key::Numpad6,        "Numpad6"},
    {Key::Numpad7,        "Numpad7"},        {Key::Numpad8,        "Numpad8"},
    {Key::Numpad9,        "Numpad9"},        {Key::NumpadMultiply, "NumpadMultiply"},
    {Key::NumpadPlus,     "NumpadPlus"},     {Key::NumpadMinus,    "NumpadMinus"},
    {Key::NumpadPeriod,   "NumpadPeriod"},   {Key::NumpadDivide,   "NumpadDivide"},
    {Key::F1,             "F1"},             {Key::F2,             "F2"},
    {Key::F3,             "F3"},             {Key::F4,             "F4"},
    {Key::F5,             "F5"},             {Key::F6,             "F6"},
    {Key::F7,             "F7"},             {Key::F8,             "F8"},
    {Key::F9,             "F9"},             {Key::F10,            "F10"},
    {Key::F11,            "F11"},            {Key::F12,            "F12"},
    {Key::Numlock,        "Numlock"},        {Key::ScrollLock,     "ScrollLock"},
    {Key::Semicolon,      "Semicolon"},      {Key::Equals,         "Equals"},
    {Key::Comma,          "Comma"},          {Key::Minus,          "Minus"},
    {Key::Period,         "Period"},         {Key::Slash,          "Slash"},
    {Key::Grave,          "Grave"},          {Key::LeftBracket,    "LeftBracket"},
    {Key::Backslash,      "Backslash"},      {Key::RightBracket,   "RightBracket"},
    {Key::Apostrophe,     "Apostrophe"},     {Key::NonUsBackslash, "NonUsBackslash"},
};
// clang-format on

// The table holds every key but Unknown once, in the enum's order, so a key's row is found
// by its value.
constexpr bool key_names_in_order() {
    for (size_t i = 0; i < std::size(KEY_NAMES); ++i)
        if (static_cast<size_t>(KEY_NAMES[i].key) != i + 1) return false;
    return std::size(KEY_NAMES) == KEY_COUNT - 1;
}
static_assert(key_names_in_order(), "KEY_NAMES needs one row per key, in the order of Key");

// The key's name; "" for Unknown and for a value beyond the keys.
constexpr const char* key_name(Key key) {
    const size_t index = static_cast<size_t>(key);
    return index >= 1 && index < KEY_COUNT ? KEY_NAMES[index - 1].name : "";
}

// The key of a name; Unknown when no key has it.
constexpr Key key_named(const char* name) {
    for (const KeyName& k : KEY_NAMES) {
        const char *a = k.name, *b = name;
        while (*a && *a == *b) ++a, ++b;
        if (*a == *b) return k.key;
    }
    return Key::Unknown;
}

enum class MouseButton : uint8_t { Left, Right };

// A game controller's buttons and axes, in the order and under the names SDL's game
// controller interface gives them (SDL_GameControllerGetStringForButton / ...ForAxis).
// clang-format off
enum class PadButton : uint8_t {
    A, B, X, Y, Back, Guide, Start, LeftStick, RightStick, LeftShoulder, RightShoulder,
    DpadUp, DpadDown, DpadLeft, DpadRight,
    Count
};
enum class PadAxis : uint8_t { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger, Count };
// clang-format on
constexpr size_t PAD_BUTTON_COUNT = static_cast<size_t>(PadButton::Count);
constexpr size_t PAD_AXIS_COUNT = static_cast<size_t>(PadAxis::Count);
// A stick axis runs from PAD_AXIS_MIN to PAD_AXIS_MAX (y grows downwards), a trigger from
// 0 (at rest) to PAD_AXIS_MAX.
constexpr int PAD_AXIS_MIN = -32768;
constexpr int PAD_AXIS_MAX = 32767;

// clang-format off
constexpr const char* PAD_BUTTON_NAMES[] = {
    "a", "b", "x", "y", "back", "guide", "start", "leftstick", "rightstick", "leftshoulder",
    "rightshoulder", "dpup", "dpdown", "dpleft", "dpright",
};
constexpr const char* PAD_AXIS_NAMES[] = {
    "leftx", "lefty", "rightx", "righty", "lefttrigger", "righttrigger",
};
// clang-format on
static_assert(std::size(PAD_BUTTON_NAMES) == PAD_BUTTON_COUNT, "PAD_BUTTON_NAMES needs one name per button");
static_assert(std::size(PAD_AXIS_NAMES) == PAD_AXIS_COUNT, "PAD_AXIS_NAMES needs one name per axis");

constexpr bool same_name(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

constexpr const char* pad_button_name(PadButton button) {
    const size_t index = static_cast<size_t>(button);
    return index < PAD_BUTTON_COUNT ? PAD_BUTTON_NAMES[index] : "";
}
constexpr const char* pad_axis_name(PadAxis axis) {
    const size_t index = static_cast<size_t>(axis);
    return index < PAD_AXIS_COUNT ? PAD_AXIS_NAMES[index] : "";
}
// The button or axis of a name; false when none has it.
constexpr bool pad_button_named(const char* name, PadButton* button) {
    for (size_t i = 0; i < PAD_BUTTON_COUNT; ++i)
        if (same_name(PAD_BUTTON_NAMES[i], name)) {
            *button = static_cast<PadButton>(i);
            return true;
        }
    return false;
}
constexpr bool pad_axis_named(const char* name, PadAxis* axis) {
    for (size_t i = 0; i < PAD_AXIS_COUNT; ++i)
        if (same_name(PAD_AXIS_NAMES[i], name)) {
            *axis = static_cast<PadAxis>(i);
            return true;
        }
    return false;
}

// What a system request asks of the window.
enum class SystemRequest : uint8_t {
    ScreenSaver,  // start the screen saver
    MonitorPower, // put the monitor into power saving
    Other,        // anything else: the system's own handling
};

enum class InputKind : uint8_t {
    KeyDown,       // `key`: pressed; the keyboard's auto-repeat sends more of these
    KeyUp,         // `key`: released
    SystemKeyDown, // `key`: Alt, F10 and any key with Alt held, which belong to the system
    SystemKeyUp,
    ButtonDown, // `button`
    ButtonUp,
    Resize,        // `width` x `height`: the client area's new size (0 x 0 when minimised)
    FocusGained,   // the window owns the input again; `minimised` as below
    FocusLost,     // `minimised`: the window is also minimised or hidden from view
    Close,         // a request to close the window (or to end the process)
    Quit,          // the core's own request to end, with `exit_code`
    System,        // `request`: the system asks something of the window
    PadButtonDown, // `pad_button` of a game controller: pressed
    PadButtonUp,   // released (also when its controller is pulled out)
    PadAxis,       // `pad_axis` moved to `axis_value` (0 when its controller is pulled out)
};

struct InputEvent {
    InputKind kind = InputKind::Close;
    Key key = Key::Unknown;
    MouseButton button = MouseButton::Left;
    int width = 0;
    int height = 0;
    bool minimised = false;
    SystemRequest request = SystemRequest::Other;
    int exit_code = 0;
    PadButton pad_button = PadButton::A;
    PadAxis pad_axis = PadAxis::LeftX;
    int axis_value = 0; // PAD_AXIS_MIN to PAD_AXIS_MAX
};

constexpr InputEvent key_event(bool down, Key key) {
    InputEvent e;
    e.kind = down ? InputKind::KeyDown : InputKind::KeyUp;
    e.key = key;
    return e;
}

constexpr InputEvent button_event(bool down, MouseButton button) {
    InputEvent e;
    e.kind = down ? InputKind::ButtonDown : InputKind::ButtonUp;
    e.button = button;
    return e;
}

constexpr InputEvent resize_event(int width, int height) {
    InputEvent e;
    e.kind = InputKind::Resize;
    e.width = width;
    e.height = height;
    return e;
}

constexpr InputEvent focus_event(bool gained, bool minimised) {
    InputEvent e;
    e.kind = gained ? InputKind::FocusGained : InputKind::FocusLost;
    e.minimised = minimised;
    return e;
}

constexpr InputEvent quit_event(int exit_code) {
    InputEvent e;
    e.kind = InputKind::Quit;
    e.exit_code = exit_code;
    return e;
}

constexpr InputEvent pad_button_event(bool down, PadButton button) {
    InputEvent e;
    e.kind = down ? InputKind::PadButtonDown : InputKind::PadButtonUp;
    e.pad_button = button;
    return e;
}

constexpr InputEvent pad_axis_event(PadAxis axis, int value) {
    InputEvent e;
    e.kind = InputKind::PadAxis;
    e.pad_axis = axis;
    e.axis_value = value < PAD_AXIS_MIN ? PAD_AXIS_MIN : value > PAD_AXIS_MAX ? PAD_AXIS_MAX : value;
    return e;
}
