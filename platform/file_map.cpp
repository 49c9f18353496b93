// Read-only file views through POSIX memory mapping.
#include "platform.h"

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
