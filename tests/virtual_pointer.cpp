// A mouse for the Wayland end-to-end test: joins the compositor's seat as a virtual
// pointer (wlroots' virtual-pointer protocol) and moves it by relative motion.
//   zeb-virtual-pointer DX DY COUNT: COUNT moves of (DX, DY), 50 ms apart, after the seat's
//   clients have had half a second to take the new pointer; exit code 1 when the
//   compositor has no such protocol or no seat.
#include <wayland-client.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

extern const wl_interface virtual_pointer_interface;
extern const wl_interface virtual_pointer_manager_interface;

namespace {

// The protocol's requests in their order: a request is sent by its index.
const wl_interface* const CREATE_TYPES[] = {&wl_seat_interface, &virtual_pointer_interface};
const wl_interface* const NO_TYPES[] = {nullptr, nullptr, nullptr, nullptr, nullptr};
// clang-format off
const wl_message MANAGER_REQUESTS[] = {
    {"create_virtual_pointer", "?on", const_cast<const wl_interface**>(CREATE_TYPES)},
    {"destroy",                "",    const_cast<const wl_interface**>(NO_TYPES)},
};
const wl_message POINTER_REQUESTS[] = {
    {"motion",          "uff",   const_cast<const wl_interface**>(NO_TYPES)},
    {"motion_absolute", "uuuuu", const_cast<const wl_interface**>(NO_TYPES)},
    {"button",          "uuu",   const_cast<const wl_interface**>(NO_TYPES)},
    {"axis",            "uuf",   const_cast<const wl_interface**>(NO_TYPES)},
    {"frame",           "",      const_cast<const wl_interface**>(NO_TYPES)},
    {"axis_source",     "u",     const_cast<const wl_interface**>(NO_TYPES)},
    {"axis_stop",       "uu",    const_cast<const wl_interface**>(NO_TYPES)},
    {"axis_discrete",   "uufi",  const_cast<const wl_interface**>(NO_TYPES)},
    {"destroy",         "",      const_cast<const wl_interface**>(NO_TYPES)},
};
// clang-format on
constexpr uint32_t CREATE_VIRTUAL_POINTER = 0;
constexpr uint32_t MOTION = 0;
constexpr uint32_t FRAME = 4;
constexpr uint32_t DESTROY = 8;

struct Globals {
    wl_seat* seat = nullptr;
    wl_proxy* manager = nullptr;
};

void on_global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    Globals& g = *static_cast<Globals*>(data);
    if (strcmp(interface, wl_seat_interface.name) == 0 && !g.seat)
        g.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    if (strcmp(interface, virtual_pointer_manager_interface.name) == 0 && !g.manager)
        g.manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &virtual_pointer_manager_interface, 1));
}

void on_global_remove(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener REGISTRY_LISTENER = {on_global, on_global_remove};

} // namespace

const wl_interface virtual_pointer_interface = {
    "zwlr_virtual_pointer_v1", 1, static_cast<int>(std::size(POINTER_REQUESTS)), POINTER_REQUESTS, 0, nullptr};
const wl_interface virtual_pointer_manager_interface = {
    "zwlr_virtual_pointer_manager_v1", 1, static_cast<int>(std::size(MANAGER_REQUESTS)), MANAGER_REQUESTS, 0, nullptr};

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: zeb-virtual-pointer DX DY COUNT\n");
        return 2;
    }
    const int dx = atoi(argv[1]), dy = atoi(argv[2]), count = atoi(argv[3]);
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        fprintf(stderr, "zeb-virtual-pointer: no Wayland compositor\n");
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &REGISTRY_LISTENER, &globals);
    wl_display_roundtrip(display);
    if (!globals.seat || !globals.manager) {
        fprintf(stderr, "zeb-virtual-pointer: the compositor offers no seat or no virtual pointers\n");
        return 1;
    }
    wl_proxy* pointer = wl_proxy_marshal_flags(globals.manager, CREATE_VIRTUAL_POINTER, &virtual_pointer_interface, 1,
                                               0, globals.seat, nullptr);
    wl_display_roundtrip(display);
    usleep(500000);
    for (int i = 0; i < count; ++i) {
        const uint32_t time = static_cast<uint32_t>(i) * 50;
        wl_proxy_marshal_flags(pointer, MOTION, nullptr, 1, 0, time, wl_fixed_from_int(dx), wl_fixed_from_int(dy));
        wl_proxy_marshal_flags(pointer, FRAME, nullptr, 1, 0);
        wl_display_roundtrip(display);
        usleep(50000);
    }
    // The seat loses its pointer with this one: the client has read the motion by now.
    usleep(500000);
    wl_proxy_marshal_flags(pointer, DESTROY, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
