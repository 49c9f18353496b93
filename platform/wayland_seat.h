// A look at the Wayland compositor before SDL's video driver meets it.
#pragma once

// Whether SDL, asked for its Wayland video driver (or left to choose with no X display
// named), would find a compositor that offers no input seat. SDL 2.26's driver crashes
// during its initialisation on such a compositor (a headless one without input devices),
// so the program refuses that case itself. False when no compositor answers: SDL then
// fails cleanly or uses another driver.
bool wayland_compositor_without_seat();

// Whether SDL's current video driver is its native Wayland one, where the pointer cannot
// be put anywhere and mouse-look reads relative motion instead.
bool wayland_driver_in_use();
