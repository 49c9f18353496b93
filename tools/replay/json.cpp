#include "json.h"

#include <cmath>
#include <cstdio>

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

void JsonWriter::write_string(const std::string& text) {
    out_ += '"';
    for (unsigned char c : text) {
        switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\t': out_ += "\\t"; break;
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

void JsonWriter::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
}

void JsonWriter::value(long long number) {
    separate();
    out_ += std::to_string(number);
}
