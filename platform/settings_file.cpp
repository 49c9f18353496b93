#include "settings_file.h"

#include "platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

std::string settings_path_for(const char* config_home, const char* home) {
    if (config_home && config_home[0] == '/') return std::string(config_home) + "/zeb/zeb.conf";
    if (home && home[0] == '/') return std::string(home) + "/.config/zeb/zeb.conf";
    return "";
}

SettingsFile platform_read_settings(size_t limit, std::string* path, std::string* text, std::string* why) {
    *path = platform_settings_path();
    text->clear();
    why->clear();
    struct stat info;
    // Nothing there (a dangling link included): the defaults, silently.
    if (path->empty() || (stat(path->c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)))
        return SettingsFile::Missing;
    const char* refusal = nullptr;
    FILE* file = platform_open_file(path->c_str(), &refusal);
    if (!file) {
        *why = refusal;
        return SettingsFile::Refused;
    }
    char buffer[4096];
    size_t got = 0;
    while (text->size() <= limit && (got = fread(buffer, 1, sizeof buffer, file)) > 0)
        text->append(buffer, std::min(got, limit + 1 - text->size()));
    const bool failed = ferror(file) != 0;
    if (failed) *why = strerror(errno);
    fclose(file);
    return failed ? SettingsFile::Refused : SettingsFile::Read;
}
