#include "level.h"

#include "platform/platform.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

LevelMesh level_mesh = {0, nullptr};

const char* const LEVEL_FILES[3] = {"text/level.txt", "text/level2.txt", "text/level3.txt"};

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
    int count = 0;
    if (!read_data_line(stream, line, &cursor) || sscanf(line, "NUMPOLLIES %d\n", &count) != 1) {
        level_error("Level file %s, line %d: expected \"NUMPOLLIES\" and a triangle count.", name, cursor.line);
        return;
    }
    const long size = stream_size(stream);
    if (count < 0 || (size >= 0 && count > size / MIN_TRIANGLE_BYTES)) {
        level_error("Level file %s, line %d: %d triangles cannot be in this file.", name, cursor.line, count);
        return;
    }
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
        if (ok && sscanf(line, "%i\n", &triangle.slot) != 1) {
            level_error("Level file %s, line %d: expected a texture slot.", name, cursor.line);
            return;
        }
        for (int v = 0; ok && v < 3; ++v) {
            LevelVertex& vertex = triangle.vertex[v];
            ok = read_data_line(stream, line, &cursor);
            if (ok && sscanf(line, "%f %f %f %f %f", &vertex.x, &vertex.y, &vertex.z, &vertex.u, &vertex.v) != 5) {
                level_error("Level file %s, line %d: a vertex needs five numbers (x y z u v).", name, cursor.line);
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
    if (world < 1 || world > 3) {
        free_level();
        return;
    }
    const char* name = LEVEL_FILES[world - 1];
    FILE* stream = fopen(name, "r");
    if (!stream) {
        free_level();
        level_error("Cannot open the level file %s.", name);
        return;
    }
    load_level_from(stream, name);
    fclose(stream);
}
