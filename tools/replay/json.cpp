#include "json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

void JsonWriter::separate() {
    if (!first_ && !after_key_) out_ += ',';
    first_ = false;
    after_key_ = false;
}

void JsonWriter::begin_object() {
    separate();
    out_ += '{';
    first_ = true;
}

void JsonWriter::end_object() {
    out_ += '}';
    first_ = false;
}

void JsonWriter::begin_array(const char* name) {
    key(name);
    begin_array();
}

void JsonWriter::begin_array() {
    separate(); // clears after_key_ too: the array is the key's whole value
    out_ += '[';
    first_ = true;
}

void JsonWriter::end_array() {
    out_ += ']';
    first_ = false;
}

void JsonWriter::key(const char* name) {
    separate();
    write_string(name);
    out_ += ':';
    after_key_ = true;
}

void JsonWriter::value(const std::string& text) {
    separate();
    write_string(text);
}

namespace {

// The length of the well-formed UTF-8 sequence at text[i], 0 when there is none (a stray
// continuation byte, a truncated or overlong sequence, a surrogate, beyond U+10FFFF).
size_t utf8_sequence(const std::string& text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    unsigned long code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xc2 && lead <= 0xdf) length = 2, code = lead & 0x1f;
    else if (lead >= 0xe0 && lead <= 0xef) length = 3, code = lead & 0x0f;
    else if (lead >= 0xf0 && lead <= 0xf4) length = 4, code = lead & 0x07;
    else return 0;
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xc0) != 0x80) return 0;
        code = code << 6 | (byte(i + k) & 0x3f);
    }
    const unsigned long smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return 0;
    return length;
}

} // namespace

// JSON text is UTF-8: a byte that is not part of a well-formed sequence (a file name in
// another encoding, say) becomes U+FFFD rather than making the whole line unreadable.
void JsonWriter::write_string(const std::string& text) {
    out_ += '"';
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = utf8_sequence(text, i);
        if (length == 0) {
            out_ += "\\ufffd";
            ++i;
            continue;
        }
        if (length > 1) {
            out_.append(text, i, length);
            i += length;
            continue;
        }
        ++i;
        switch (c) {
        case '"':
            out_ += "\\\"";
            break;
        case '\\':
            out_ += "\\\\";
            break;
        case '\n':
            out_ += "\\n";
            break;
        case '\t':
            out_ += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out_ += escaped;
            } else {
                out_ += static_cast<char>(c);
            }
        }
    }
    out_ += '"';
}

// JSON has no NaN or infinity: a value that is not finite is written as null, so
// a reader sees "no number" rather than failing on the whole line.
void JsonWriter::value(double number) {
    separate();
    if (!std::isfinite(number)) {
        out_ += "null";
        return;
    }
    char text[32];
    snprintf(text, sizeof text, "%.9g", number);
    out_ += text;
}

void JsonWriter::value(float number) {
    separate();
    if (!std::isfinite(number)) {
        out_ += "null";
        return;
    }
    char text[32];
    for (int digits = 6; digits <= 9; ++digits) {
        snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(number));
        if (strtof(text, nullptr) == number) break;
    }
    out_ += text;
}

void JsonWriter::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
}

void JsonWriter::null() {
    separate();
    out_ += "null";
}

void JsonWriter::value(long long number) {
    separate();
    out_ += std::to_string(number);
}
