#include "clamps.h"

#include "nav/player_state.h"

namespace {

constexpr float HALL_HALF = 9;

// The table in evaluation order: front stop, the left wall's 82 bands (positive z far to
// near, two middle bands, negative z far to near), back stop, the right wall's 161 bands
// (negative z far to near, the middle band, positive z near to far). Each side narrows
// towards the ends of the hall: the left limit by 0.02 per 0.15 of z, the right by 0.025
// per 0.075 of z.
std::array<ClampEntry, WORLD1_CLAMP_COUNT> make_clamp_bands() {
    std::array<ClampEntry, WORLD1_CLAMP_COUNT> t{};
    int n = 0;
    const auto add = [&](ClampKind kind, double low, double high, double value) {
        t[n++] = ClampEntry{kind, static_cast<float>(low), static_cast<float>(high), static_cast<float>(value)};
    };
    add(ClampKind::Stop, 8.5, 8.6, 8.5);
    for (int k = 39; k >= 0; --k) add(ClampKind::LeftBand, 3 + 0.15 * k, 3 + 0.15 * (k + 1), -8.4 + 0.02 * k);
    add(ClampKind::LeftBand, -1, 3, -8.4);
    add(ClampKind::LeftBand, -3, -1, -8.4);
    for (int k = 39; k >= 0; --k) add(ClampKind::LeftBand, -3 - 0.15 * (k + 1), -3 - 0.15 * k, -8.4 + 0.02 * k);
    add(ClampKind::Stop, -8.6, -8.5, -8.5);
    for (int k = 79; k >= 0; --k)
        add(ClampKind::RightBand, -3 - 0.075 * (k + 1), -3 - 0.075 * k, 8.4 - 0.025 * (k + 1));
    add(ClampKind::RightBand, -3, 3, 8.4);
    for (int k = 0; k <= 79; ++k) add(ClampKind::RightBand, 3 + 0.075 * k, 3 + 0.075 * (k + 1), 8.4 - 0.025 * (k + 1));
    return t;
}

} // namespace

const std::array<ClampEntry, WORLD1_CLAMP_COUNT> WORLD1_CLAMP_BANDS = make_clamp_bands();

bool clamp_world1_position() {
    float& x = player.x;
    float& z = player.z;
    for (const ClampEntry& e : WORLD1_CLAMP_BANDS) {
        if (player.eye_height >= CLAMP_EYE_LIMIT) break; // no entry applies up there
        switch (e.kind) {
        case ClampKind::Stop:
            if (x > -HALL_HALF && x < HALL_HALF && z >= e.z_low && z <= e.z_high) z = e.value;
            break;
        case ClampKind::LeftBand:
            if (z > e.z_low && z < e.z_high && x >= -HALL_HALF && x <= e.value) x = e.value;
            break;
        case ClampKind::RightBand:
            if (z > e.z_low && z < e.z_high && x >= e.value && x <= HALL_HALF) x = e.value;
            break;
        }
    }
    return true;
}
