#include "state.h"

#include "app/session.h"
#include "nav/worlds.h"
#include "render/particles.h"
#include "render/water.h"
#include "weapons/weapons.h"
#include "platform/platform.h"

#include <GL/gl.h>

namespace {

StateField number(const char* name, double value) { return {name, StateField::Kind::Number, value, false}; }
StateField flag(const char* name, bool value) { return {name, StateField::Kind::Flag, 0, value}; }

bool lighting_enabled() { return platform_context_current() && glIsEnabled(GL_LIGHTING) == GL_TRUE; }

double particle_checksum() {
    double sum = 0;
    for (const Particle& p : particles) sum += p.x + p.y + p.z + p.life;
    return sum;
}

double cartridges_present() {
    double count = 0;
    for (bool present : weapon_state.weapon2.cartridge_present) count += present;
    return count;
}

} // namespace

std::vector<StateField> collect_state() {
    const PlatformActivity activity = platform_activity();
    FieldList session;
    list_session_fields(&session);
    std::vector<StateField> fields;
    for (const StateValue& v : session) {
        if (!v.printed) continue;
        fields.push_back(v.is_flag ? flag(v.name.c_str(), v.flag) : number(v.name.c_str(), v.number));
    }
    // Values drawn from several fields, the GL context or the backend's records.
    const std::vector<StateField> derived = {
        number("world", current_world()),
        flag("lighting", lighting_enabled()),
        number("water_checksum", water_checksum()),
        number("particle_checksum", particle_checksum()),
        number("weapon", weapon_state.held_weapon),
        number("weapon2_cartridges_present", cartridges_present()),
        number("message_count", activity.message_boxes),
        number("unshown_message_count", activity.unshown_message_boxes),
        number("sound_count", activity.sound_requests),
    };
    fields.insert(fields.end(), derived.begin(), derived.end());
    return fields;
}
