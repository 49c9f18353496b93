// Preloaded into zeb by tests/pad_sdl.sh: a virtual game controller plugged in, worked
// and pulled out while the real program runs, so that `zeb --record` records what its
// SDL backend made of it. It steps once per buffer swap (one a frame) and ends the
// session with Escape, as a user would.
#include <SDL.h>

#include <dlfcn.h>

namespace {

struct Driver {
    int frames = 0;
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID id = -1;
};
Driver g_driver;

void plug_in() {
    SDL_VirtualJoystickDesc desc = {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
    desc.name = "zeb test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) return;
    g_driver.joystick = SDL_JoystickOpen(index);
    g_driver.id = SDL_JoystickInstanceID(g_driver.joystick);
}

void pull_out() {
    SDL_JoystickClose(g_driver.joystick);
    g_driver.joystick = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == g_driver.id) SDL_JoystickDetachVirtual(i);
}

void axis(SDL_GameControllerAxis a, Sint16 value) {
    if (g_driver.joystick) SDL_JoystickSetVirtualAxis(g_driver.joystick, a, value);
}

void button(SDL_GameControllerButton b, bool down) {
    if (g_driver.joystick) SDL_JoystickSetVirtualButton(g_driver.joystick, b, down ? 1 : 0);
}

void press_escape(SDL_Window* window) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(window);
    event.key.state = SDL_PRESSED;
    event.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    event.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&event);
}

// Walk forward and to the right, look about, take a weapon, jump, fire, and pull the
// controller out while it still walks and fires.
void step(SDL_Window* window) {
    switch (++g_driver.frames) {
    case 3:
        plug_in();
        break;
    case 10:
        axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
        axis(SDL_CONTROLLER_AXIS_LEFTX, 12000);
        break;
    case 40:
        axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
        axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
        break;
    case 41:
        axis(SDL_CONTROLLER_AXIS_RIGHTX, 20000);
        axis(SDL_CONTROLLER_AXIS_RIGHTY, -10000);
        break;
    case 50:
        axis(SDL_CONTROLLER_AXIS_RIGHTX, 0);
        axis(SDL_CONTROLLER_AXIS_RIGHTY, 0);
        button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
        break;
    case 53:
        button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
        button(SDL_CONTROLLER_BUTTON_A, true);
        break;
    case 55:
        button(SDL_CONTROLLER_BUTTON_A, false);
        axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
        break;
    case 58:
        axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
        break;
    case 60:
        pull_out();
        break;
    case 75:
        press_escape(window);
        break;
    default:
        break;
    }
}

} // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    using Swap = void (*)(SDL_Window*);
    static const Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    real(window);
    step(window);
}
