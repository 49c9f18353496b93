// libFuzzer target: zeb-replay's script parser on any text, line by line. Whatever a line
// holds, what it sets must be in range: pixels within +-2^20, floats finite, message
// parameters within 32 bits, counts not negative, keys within the key table; an input
// line's event must be recorded as a line that reads back as it.
#include "platform/script.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool held) {
    if (!held) abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        ScriptLine line;
        std::string error;
        if (parse_script_line(text.substr(start, end - start), &line, &error) && !line.command.empty()) {
            check(line.words.size() >= 1 && line.words[0] == line.command);
            for (int v : line.ints) check(v >= -SCRIPT_PIXEL_LIMIT && v <= SCRIPT_PIXEL_LIMIT);
            for (float v : line.floats) check(std::isfinite(v));
            for (double v : line.wides) check(v >= -2147483648.0 && v <= 4294967295.0);
            check(line.count >= 0);
            check(static_cast<size_t>(line.key) < KEY_COUNT);
            // An input line's event is recorded as a line that reads back as the same kind.
            InputEvent event;
            if (script_input_event(line, &event)) {
                const std::string recorded = script_line_of(event);
                ScriptLine again;
                InputEvent back;
                check(recorded.empty() ||
                      (parse_script_line(recorded, &again, &error) && script_input_event(again, &back) &&
                       back.kind == event.kind && back.key == event.key));
            }
        } else if (!line.command.empty() || !line.words.empty()) {
            check(!error.empty());
        }
        start = end + 1;
    }
    return 0;
}
