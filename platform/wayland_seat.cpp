// One registry round trip with the compositor, looking for a wl_seat.
#include "wayland_seat.h"

#include <SDL.h>
#include <wayland-client.h>

#include <cstring>

namespace {

void on_global(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
    if (strcmp(interface, wl_seat_interface.name) == 0) *static_cast<bool*>(data) = true;
}

void on_global_remove(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener REGISTRY_LISTENER = {on_global, on_global_remove};

// SDL_VIDEODRIVER may name one driver or a list; the environment wins over any hint.
bool wayland_may_be_chosen() {
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (asked && *asked) return strstr(asked, "wayland") != nullptr;
    const char* display = SDL_getenv("DISPLAY");
    return !display || !*display;
}

} // namespace

bool wayland_compositor_without_seat() {
    if (!wayland_may_be_chosen()) return false;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return false;
    bool seat = false;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &REGISTRY_LISTENER, &seat);
    // One round trip: the compositor announces all its globals in answer to get_registry.
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return answered && !seat;
}

bool wayland_driver_in_use() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && strcmp(driver, "wayland") == 0;
}
