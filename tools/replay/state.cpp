#include "state.h"

#include "app/program.h"
#include "app/timer.h"
#include "app/window.h"
#include "json.h"
#include "platform/headless.h"

#include <GL/gl.h>

namespace {

StateField number(const char* name, double value) { return {name, StateField::Kind::Number, value, false, {}}; }
StateField flag(const char* name, bool value) { return {name, StateField::Kind::Flag, 0, value, {}}; }

bool lighting_enabled() {
    return headless_window().context_current && glIsEnabled(GL_LIGHTING) == GL_TRUE;
}

} // namespace

std::vector<StateField> collect_state() {
    return {
        number("frame", static_cast<double>(program.frame_iterations)),
        number("world", 1),
        number("x", -1),
        number("z", -1),
        number("eye_height", 0),
        number("heading", 0),
        number("pitch", 0),
        number("fps", frame_counter.fps_value),
        number("field_of_view", field_of_view),
        number("frame_pacing", frame_pacing),
        flag("lighting", lighting_enabled()),
        flag("fullscreen", fullscreen),
        flag("active", active),
        number("view_width", view_width),
        number("view_height", view_height),
        flag("exited", program.exited),
        number("exit_code", program.exited ? program.exit_code : 0),
        number("message_count", static_cast<double>(headless_message_boxes().size())),
        number("sound_count", static_cast<double>(headless_sounds().size())),
    };
}

std::string state_json() {
    JsonWriter json;
    json.begin_object();
    for (const StateField& f : collect_state()) {
        json.key(f.name.c_str());
        if (f.kind == StateField::Kind::Number) json.value(f.number);
        else if (f.kind == StateField::Kind::Flag) json.value(f.flag);
        else json.value(f.text);
    }
    json.begin_array("messages");
    for (const RecordedMessageBox& box : headless_message_boxes()) {
        json.begin_object();
        json.field("caption", box.caption);
        json.field("text", box.text);
        json.end_object();
    }
    json.end_array();
    json.begin_array("sounds");
    for (const std::string& sound : headless_sounds()) json.value(sound);
    json.end_array();
    json.end_object();
    return json.text();
}
