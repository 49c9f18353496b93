// libFuzzer target: zeb-replay's script parser on any text, line by line. Whatever a line
// holds, what it sets must be in range: pixels within +-2^20, floats finite, message
// parameters within 32 bits, counts not negative.
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
        } else if (!line.command.empty() || !line.words.empty()) {
            check(!error.empty());
        }
        start = end + 1;
    }
    return 0;
}
