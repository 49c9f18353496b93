#include "level.h"

#include "nav/world_table.h"
#include "platform/platform.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>

LevelMesh level_mesh;

namespace {

// The fewest bytes a triangle can take: four data lines of one character and a newline.
constexpr long MIN_TRIANGLE_BYTES = 8;

void level_error(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    platform_message_box(text, "Error", MB_OK);
}

long stream_size(FILE* stream) {
    const long here = ftell(stream);
    if (here < 0 || fseek(stream, 0, SEEK_END) != 0) return -1;
    const long size = ftell(stream);
    fseek(stream, here, SEEK_SET);
    return size;
}

// The number parsers below read what "NUMPOLLIES %d", "%i" and "%f" read, but refuse a
// value their type cannot hold instead of overflowing.
enum class Parsed { Ok, Malformed, OutOfRange };

// "NUMPOLLIES", optional white space, a decimal count (sign allowed, as %d reads it).
Parsed parse_count_line(const char* line, long long* count) {
    constexpr const char KEYWORD[] = "NUMPOLLIES";
    if (strncmp(line, KEYWORD, sizeof KEYWORD - 1) != 0) return Parsed::Malformed;
    const char* at = line + sizeof KEYWORD - 1;
    char* end = nullptr;
    errno = 0;
    *count = strtoll(at, &end, 10);
    if (end == at) return Parsed::Malformed;
    if (errno == ERANGE || *count > INT32_MAX || *count < INT32_MIN) return Parsed::OutOfRange;
    return Parsed::Ok;
}

// An integer as %i reads it: decimal, 0x hexadecimal or 0 octal, in the range of int32.
Parsed parse_slot_line(const char* line, int32_t* slot) {
    char* end = nullptr;
    errno = 0;
    const long long value = strtoll(line, &end, 0);
    if (end == line) return Parsed::Malformed;
    if (errno == ERANGE || value > INT32_MAX || value < INT32_MIN) return Parsed::OutOfRange;
    *slot = static_cast<int32_t>(value);
    return Parsed::Ok;
}

// Five numbers as "%f %f %f %f %f" reads them, each a finite single-precision value.
Parsed parse_vertex_line(const char* line, LevelVertex* vertex) {
    float* fields[5] = {&vertex->x, &vertex->y, &vertex->z, &vertex->u, &vertex->v};
    const char* at = line;
    for (float* field : fields) {
        char* end = nullptr;
        const double value = strtod(at, &end);
        if (end == at) return Parsed::Malformed;
        if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) return Parsed::OutOfRange;
        *field = static_cast<float>(value);
        at = end;
    }
    return Parsed::Ok;
}

} // namespace

bool read_data_line(FILE* stream, char buffer[LEVEL_LINE_MAX + 1], LineCursor* cursor) {
    for (;;) {
        if (!fgets(buffer, LEVEL_LINE_MAX, stream)) return false;
        if (!cursor->inside_long_line) ++cursor->line;
        const size_t length = strlen(buffer);
        cursor->inside_long_line = length > 0 && buffer[length - 1] != '\n';
        // Text mode: a CR before the newline belongs to the line ending.
        if (length >= 2 && buffer[length - 2] == '\r' && buffer[length - 1] == '\n') {
            buffer[length - 2] = '\n';
            buffer[length - 1] = '\0';
        }
        if (buffer[0] != '/' && buffer[0] != '\n') return true;
    }
}

void free_level() {
    free(level_mesh.triangles);
    level_mesh = LevelMesh{0, nullptr};
}

void load_level_from(FILE* stream, const char* name) {
    free_level();
    char line[LEVEL_LINE_MAX + 1];
    LineCursor cursor = {0, false};
    long long wide_count = 0;
    const Parsed count_read =
        read_data_line(stream, line, &cursor) ? parse_count_line(line, &wide_count) : Parsed::Malformed;
    if (count_read == Parsed::Malformed) {
        level_error("Level file %s, line %d: expected \"NUMPOLLIES\" and a triangle count.", name, cursor.line);
        return;
    }
    const long size = stream_size(stream);
    if (count_read == Parsed::OutOfRange || wide_count < 0 || (size >= 0 && wide_count > size / MIN_TRIANGLE_BYTES)) {
        // The count as written: a value beyond any int is named, not wrapped.
        const char* digits = line + strlen("NUMPOLLIES");
        digits += strspn(digits, " \t\n\v\f\r");
        const int length = static_cast<int>(strspn(digits, "+-0123456789"));
        level_error("Level file %s, line %d: %.*s triangles cannot be in this file.", name, cursor.line,
                    length > 40 ? 40 : length, digits);
        return;
    }
    const int count = static_cast<int>(wide_count);
    if (count == 0) return;
    LevelTriangle* triangles = static_cast<LevelTriangle*>(calloc(static_cast<size_t>(count), sizeof(LevelTriangle)));
    if (!triangles) {
        level_error("Level file %s: out of memory for %d triangles.", name, count);
        return;
    }
    level_mesh.triangles = triangles;
    for (int t = 0; t < count; ++t) {
        LevelTriangle& triangle = triangles[t];
        bool ok = read_data_line(stream, line, &cursor);
        const Parsed slot_read = ok ? parse_slot_line(line, &triangle.slot) : Parsed::Ok;
        if (slot_read == Parsed::Malformed) {
            level_error("Level file %s, line %d: expected a texture slot.", name, cursor.line);
            return;
        }
        if (slot_read == Parsed::OutOfRange) {
            level_error("Level file %s, line %d: the texture slot is out of range.", name, cursor.line);
            return;
        }
        for (int v = 0; ok && v < 3; ++v) {
            LevelVertex& vertex = triangle.vertex[v];
            ok = read_data_line(stream, line, &cursor);
            const Parsed vertex_read = ok ? parse_vertex_line(line, &vertex) : Parsed::Ok;
            if (vertex_read == Parsed::Malformed) {
                level_error("Level file %s, line %d: a vertex needs five numbers (x y z u v).", name, cursor.line);
                return;
            }
            if (vertex_read == Parsed::OutOfRange) {
                level_error("Level file %s, line %d: a vertex number is out of range.", name, cursor.line);
                return;
            }
        }
        if (!ok) {
            level_error("Level file %s ends after line %d: %d of %d triangles read.", name, cursor.line, t, count);
            return;
        }
        level_mesh.count = t + 1; // only whole triangles count
    }
}

void load_level(int world) {
    const WorldRecord* record = world_record(world);
    if (!record) {
        free_level();
        return;
    }
    const char* name = record->level_file;
    FILE* stream = platform_open_file(name);
    if (!stream) {
        free_level();
        level_error("Cannot open the level file %s.", name);
        return;
    }
    load_level_from(stream, name);
    fclose(stream);
}
