// A small writer for one-line JSON objects. Strings are escaped (quotes, backslashes,
// control characters); a number that is not finite is written as null.
#pragma once

#include <string>

class JsonWriter {
public:
    void begin_object();
    void end_object();
    void begin_array(const char* key); // a member of the current object
    void begin_array();                // an element of the current array
    void end_array();
    void key(const char* name);
    void value(const std::string& text);
    void value(const char* text) { value(std::string(text)); }
    void value(double number);
    void value(float number); // the shortest digits that read back as the same float
    void value(bool flag);
    void value(int number) { value(static_cast<long long>(number)); }
    void value(long long number);
    void null();
    template <typename T> void field(const char* name, const T& v) {
        key(name);
        value(v);
    }
    const std::string& text() const { return out_; }

private:
    void write_string(const std::string& text);
    void separate(); // a comma before every element but the first of its container
    std::string out_;
    bool first_ = true;      // nothing written yet in the current container
    bool after_key_ = false; // a key was written: its value follows without a comma
};
