#include "screenshot.h"

#include "platform/platform.h"

#include <GL/gl.h>

#include <png.h>

#include <sys/stat.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

// A held key gives one shot, but presses faster than the disk takes them pile up in
// memory (6 MB each at 1920 x 1080): past this many, a press is refused.
constexpr size_t MAX_WAITING = 8;

struct Shot {
    std::vector<unsigned char> rgb;
    int width;
    int height;
    std::string stamp; // the local time it was taken, for its name
};

struct Writer {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Shot> waiting;
    bool writing = false; // a shot is out of the queue and being written
    bool stopping = false;
    std::thread thread;
};
Writer g_writer;

std::string env_or(const char* name, const std::string& fallback) {
    const char* value = getenv(name);
    return value && value[0] == '/' ? std::string(value) : fallback;
}

// XDG_PICTURES_DIR="$HOME/Pictures" as user-dirs.dirs writes it: a quoted path that may
// start with $HOME. Empty when the file has no such line.
std::string pictures_from_user_dirs(const std::string& home) {
    std::ifstream in(env_or("XDG_CONFIG_HOME", home + "/.config") + "/user-dirs.dirs");
    for (std::string line; std::getline(in, line);) {
        const std::string key = "XDG_PICTURES_DIR=\"";
        if (line.compare(0, key.size(), key) != 0 || line.back() != '"') continue;
        std::string path = line.substr(key.size(), line.size() - key.size() - 1);
        if (path.compare(0, 5, "$HOME") == 0) path = home + path.substr(5);
        if (!path.empty() && path[0] == '/') return path;
    }
    return "";
}

bool make_dirs(const std::string& path, std::string* why) {
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '/') continue;
        const std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            *why = part + ": " + strerror(errno);
            return false;
        }
    }
    return true;
}

// Creates the file under a name no other file has, so no earlier shot is written over.
FILE* create_unique(const std::string& dir, const std::string& stamp, std::string* path, std::string* why) {
    for (int n = 1; n < 1000; ++n) {
        *path = dir + "/zeb-" + stamp + (n == 1 ? "" : "-" + std::to_string(n)) + ".png";
        const int fd = open(path->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) return fdopen(fd, "wb");
        if (errno != EEXIST) break;
    }
    *why = *path + ": " + strerror(errno);
    return nullptr;
}

bool write_rows(FILE* file, const std::vector<unsigned char>& rgb, int width, int height, bool bottom_first) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int row = 0; row < height; ++row) {
            const int y = bottom_first ? height - 1 - row : row;
            png_write_row(png, const_cast<png_bytep>(&rgb[static_cast<size_t>(y) * width * 3]));
        }
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return ok;
}

void write_shot(const Shot& shot) {
    std::string why, path;
    const std::string dir = screenshot_dir();
    FILE* file = make_dirs(dir, &why) ? create_unique(dir, shot.stamp, &path, &why) : nullptr;
    if (file) {
        const bool rows = write_rows(file, shot.rgb, shot.width, shot.height, true);
        const bool closed = fclose(file) == 0;
        if (rows && closed) {
            fprintf(stderr, "zeb: screenshot saved to %s\n", path.c_str());
            return;
        }
        why = path + ": " + (rows ? strerror(errno) : "the picture could not be encoded");
        unlink(path.c_str());
    }
    fprintf(stderr, "zeb: the screenshot could not be written: %s\n", why.c_str());
}

void writer_loop() {
    Writer& w = g_writer;
    std::unique_lock<std::mutex> lock(w.mutex);
    for (;;) {
        w.wake.wait(lock, [&] { return w.stopping || !w.waiting.empty(); });
        if (w.waiting.empty()) return; // stopping, and nothing left
        Shot shot = std::move(w.waiting.front());
        w.waiting.pop_front();
        w.writing = true;
        lock.unlock();
        write_shot(shot);
        lock.lock();
        w.writing = false;
        w.wake.notify_all();
    }
}

std::string local_stamp() {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    char text[32];
    strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

} // namespace

std::string screenshot_dir() {
    const std::string home = env_or("HOME", "/tmp");
    std::string pictures = env_or("XDG_PICTURES_DIR", "");
    if (pictures.empty()) pictures = pictures_from_user_dirs(home);
    if (pictures.empty()) pictures = home + "/Pictures";
    return pictures + "/zeb";
}

bool screenshot_queue(std::vector<unsigned char> rgb, int width, int height) {
    Writer& w = g_writer;
    std::lock_guard<std::mutex> lock(w.mutex);
    if (w.waiting.size() + (w.writing ? 1 : 0) >= MAX_WAITING) {
        fprintf(stderr, "zeb: a screenshot was not taken: %zu are still being written\n", MAX_WAITING);
        return false;
    }
    w.waiting.push_back(Shot{std::move(rgb), width, height, local_stamp()});
    if (!w.thread.joinable()) {
        w.stopping = false;
        w.thread = std::thread(writer_loop);
    }
    w.wake.notify_all();
    return true;
}

void screenshot_finish() {
    Writer& w = g_writer;
    {
        std::lock_guard<std::mutex> lock(w.mutex);
        if (!w.thread.joinable()) return;
        w.stopping = true;
        w.wake.notify_all();
    }
    w.thread.join();
}

bool platform_screenshot() {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    if (width <= 0 || height <= 0) return false;
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0], viewport[1], width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return screenshot_queue(std::move(rgb), width, height);
}

void platform_finish_screenshots() { screenshot_finish(); }

bool write_rgb_png(const char* path, const std::vector<unsigned char>& rgb, int width, int height, bool bottom_first) {
    FILE* file = fopen(path, "wb");
    if (!file) return false;
    const bool rows = write_rows(file, rgb, width, height, bottom_first);
    if (fclose(file) == 0 && rows) return true;
    unlink(path);
    return false;
}
