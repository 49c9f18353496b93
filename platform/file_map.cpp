// Data files: opened for reading only when they are regular files, read through POSIX
// memory mapping or a stream; and finding the data directory.
#include "platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* NOT_A_REGULAR_FILE = "not a regular file";

// A descriptor of `path` when it is a regular file, else -1 with the reason in `why`.
// O_NONBLOCK keeps open() from waiting for a FIFO's writer (or a device's line), and
// O_NOCTTY keeps a terminal from becoming ours; the type is then read from the open file
// itself, so it cannot change between the check and the use. Reads block as usual after.
int open_regular(const char* path, struct stat* info, const char** why) {
    if (!path) {
        *why = strerror(ENOENT);
        return -1;
    }
    const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        *why = strerror(errno);
        return -1;
    }
    if (fstat(fd, info) != 0 || !S_ISREG(info->st_mode)) {
        *why = NOT_A_REGULAR_FILE;
        close(fd);
        return -1;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        *why = strerror(errno);
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

FILE* platform_open_file(const char* path, const char** why) {
    const char* reason = nullptr;
    struct stat info;
    const int fd = open_regular(path, &info, &reason);
    FILE* stream = fd < 0 ? nullptr : fdopen(fd, "r");
    if (fd >= 0 && !stream) {
        reason = strerror(errno);
        close(fd);
    }
    if (why) *why = stream ? nullptr : reason;
    return stream;
}

bool platform_map_file(const char* path, MappedFile* file) {
    *file = MappedFile{nullptr, 0, -1};
    const char* why = nullptr;
    struct stat info;
    const int fd = open_regular(path, &info, &why);
    if (fd < 0) return false;
    if (info.st_size <= 0) { // an empty file cannot be mapped
        close(fd);
        return false;
    }
    void* view = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (view == MAP_FAILED) {
        close(fd);
        return false;
    }
    *file = MappedFile{static_cast<const unsigned char*>(view), static_cast<size_t>(info.st_size), fd};
    return true;
}

void platform_unmap_file(MappedFile* file) {
    if (file->data) munmap(const_cast<unsigned char*>(file->data), file->size);
    if (file->handle >= 0) close(file->handle);
    *file = MappedFile{nullptr, 0, -1};
}

namespace {

bool is_directory(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// The directory of the running executable ("" when the system cannot tell).
std::string executable_dir() {
    char exe[4096];
    const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (length <= 0) return "";
    exe[length] = '\0';
    char* slash = strrchr(exe, '/');
    if (!slash) return "";
    *slash = '\0';
    return exe[0] ? exe : "/";
}

// `dir` without its last component: "/usr/bin" gives "/usr", "/bin" and "/" give "".
std::string parent_dir(const std::string& dir) {
    const size_t slash = dir.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? "" : dir.substr(0, slash);
}

} // namespace

bool platform_find_data_dir(const char* marker, char* looked, size_t looked_size) {
    // The working directory first: the build tree and every script rely on it.
    if (!marker || is_directory(marker)) return true;
    std::string report;
    const auto note = [&](const std::string& dir) { report += "  " + (dir == "/" ? "" : dir) + "/" + marker + "\n"; };
    const auto try_dir = [&](const std::string& dir) {
        note(dir);
        const std::string candidate = (dir == "/" ? "" : dir) + "/" + marker;
        return is_directory(candidate.c_str()) && chdir(dir.c_str()) == 0;
    };
    char cwd[4096];
    note(getcwd(cwd, sizeof cwd) ? cwd : ".");
    const std::string exe_dir = executable_dir();
    if (exe_dir.empty()) report += "  (the program's own directory is unknown)\n";
    else if (try_dir(exe_dir) || try_dir(parent_dir(exe_dir) + "/share/zeb")) return true;
    const char* env = getenv("ZEB_DATA");
    if (!env || !env[0]) report += "  (ZEB_DATA is not set)\n";
    else if (try_dir(env)) return true;
    if (looked && looked_size) snprintf(looked, looked_size, "%s", report.c_str());
    return false;
}
