// Read-only file views through POSIX memory mapping, and finding the data directory.
#include "platform.h"

#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

bool platform_map_file(const char* path, MappedFile* file) {
    *file = MappedFile{nullptr, 0, -1};
    if (!path) return false;
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    // An empty file cannot be mapped; a directory or device is not a file to read.
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
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

} // namespace

bool platform_find_data_dir(const char* marker) {
    if (!marker || is_directory(marker)) return true;
    char exe[4096];
    const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (length <= 0) return false;
    exe[length] = '\0';
    char* slash = strrchr(exe, '/');
    if (!slash) return false;
    *slash = '\0';
    const std::string candidate = std::string(exe[0] ? exe : "/") + "/" + marker;
    if (!is_directory(candidate.c_str())) return false;
    return chdir(exe[0] ? exe : "/") == 0;
}
