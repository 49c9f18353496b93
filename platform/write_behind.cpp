#include "write_behind.h"

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

struct WriteBehind {
    FILE* file = nullptr;
    std::thread writer;
    std::mutex lock;              // guards the fields below
    std::condition_variable wake; // text arrived, or the file is to be closed
    std::string pending;          // appended, not yet handed to the file
    bool closing = false;
    std::string failure; // why the first write failed; set: the rest is dropped
};

WriteBehind g_out;

void write_out() {
    WriteBehind& w = g_out;
    std::string batch;
    for (;;) {
        {
            std::unique_lock<std::mutex> hold(w.lock);
            w.wake.wait(hold, [&w] { return !w.pending.empty() || w.closing; });
            if (w.pending.empty() && w.closing) return;
            batch.swap(w.pending);
        }
        errno = 0;
        const bool ok = fwrite(batch.data(), 1, batch.size(), w.file) == batch.size() && fflush(w.file) == 0;
        const int error = errno;
        batch.clear();
        if (!ok) {
            std::lock_guard<std::mutex> hold(w.lock);
            if (w.failure.empty()) w.failure = error != 0 ? strerror(error) : "write failed";
            w.pending.clear(); // the file is no recording past this point: nothing more goes in
        }
    }
}

} // namespace

bool write_behind_open(const char* path, std::string* why) {
    WriteBehind& w = g_out;
    if (w.file) write_behind_close();
    w.file = fopen(path, "w");
    if (!w.file) {
        *why = std::string("cannot write ") + path + ": " + strerror(errno);
        return false;
    }
    w.pending.clear();
    w.closing = false;
    w.failure.clear();
    w.writer = std::thread(write_out);
    return true;
}

void write_behind_append(const std::string& text) {
    WriteBehind& w = g_out;
    if (!w.file) return;
    {
        std::lock_guard<std::mutex> hold(w.lock);
        if (!w.failure.empty()) return;
        w.pending += text;
    }
    w.wake.notify_one();
}

bool write_behind_failed(std::string* why) {
    WriteBehind& w = g_out;
    std::lock_guard<std::mutex> hold(w.lock);
    if (!w.failure.empty() && why) *why = w.failure;
    return !w.failure.empty();
}

bool write_behind_close(std::string* why) {
    WriteBehind& w = g_out;
    if (!w.file) return true;
    {
        std::lock_guard<std::mutex> hold(w.lock);
        w.closing = true;
    }
    w.wake.notify_one();
    w.writer.join();
    errno = 0;
    const bool closed = fclose(w.file) == 0; // always, so a failed recording leaks no handle
    const int error = errno;
    w.file = nullptr;
    if (w.failure.empty() && !closed) w.failure = error != 0 ? strerror(error) : "close failed";
    if (!w.failure.empty() && why) *why = w.failure;
    return w.failure.empty();
}

bool write_behind_is_open() { return g_out.file != nullptr; }
