// Finding the data directory: the working directory first (scripts and the build tree
// rely on it), ZEB_DATA only when nothing nearer has it, and every place tried listed
// when none has it. Opening its files: regular files only, nothing else waited on.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Runs each case in a scratch directory of its own with ZEB_DATA unset; restores both.
class DataDir : public ::testing::Test {
protected:
    void SetUp() override {
        home = fs::current_path();
        scratch = fs::path(::testing::TempDir()) /
                  ("data_dir_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                   std::to_string(getpid()));
        fs::remove_all(scratch);
        fs::create_directories(scratch / "work");
        fs::current_path(scratch / "work");
        const char* old = getenv("ZEB_DATA");
        had_env = old != nullptr;
        if (old) old_env = old;
        unsetenv("ZEB_DATA");
    }
    void TearDown() override {
        fs::current_path(home);
        fs::remove_all(scratch);
        if (had_env) setenv("ZEB_DATA", old_env.c_str(), 1);
        else unsetenv("ZEB_DATA");
    }
    std::string find(bool* found) {
        char looked[2048] = "";
        *found = platform_find_data_dir("text", looked, sizeof looked);
        return looked;
    }
    fs::path home, scratch;
    bool had_env = false;
    std::string old_env;
};

TEST_F(DataDir, WorkingDirectoryWinsOverZebData) {
    fs::create_directories(scratch / "work" / "text");
    fs::create_directories(scratch / "elsewhere" / "text");
    setenv("ZEB_DATA", (scratch / "elsewhere").c_str(), 1);
    bool found = false;
    find(&found);
    EXPECT_TRUE(found);
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch / "work"));
}

TEST_F(DataDir, ZebDataIsUsedWhenNothingNearerHasIt) {
    fs::create_directories(scratch / "elsewhere" / "text");
    setenv("ZEB_DATA", (scratch / "elsewhere").c_str(), 1);
    bool found = false;
    find(&found);
    EXPECT_TRUE(found);
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch / "elsewhere"));
}

TEST_F(DataDir, NoneFoundListsEveryPlaceAndStaysPut) {
    // The test binary's own directory and ../share/zeb beside it hold no text/.
    const fs::path exe_dir = fs::read_symlink("/proc/self/exe").parent_path();
    ASSERT_FALSE(fs::exists(exe_dir / "text"));
    ASSERT_FALSE(fs::exists(exe_dir.parent_path() / "share" / "zeb" / "text"));
    bool found = true;
    std::string looked = find(&found);
    EXPECT_FALSE(found);
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch / "work"));
    const std::string places[] = {
        (fs::canonical(scratch / "work") / "text").string(),
        (exe_dir / "text").string(),
        (exe_dir.parent_path() / "share" / "zeb" / "text").string(),
        "(ZEB_DATA is not set)",
    };
    size_t at = 0;
    for (const std::string& place : places) {
        const size_t next = looked.find("  " + place + "\n", at);
        EXPECT_NE(next, std::string::npos) << place << " missing or out of order in:\n" << looked;
        if (next != std::string::npos) at = next;
    }

    // A ZEB_DATA without text/ is named in its turn, and still nothing is found.
    setenv("ZEB_DATA", (scratch / "empty").c_str(), 1);
    looked = find(&found);
    EXPECT_FALSE(found);
    EXPECT_NE(looked.find("  " + (scratch / "empty" / "text").string() + "\n"), std::string::npos) << looked;
    EXPECT_EQ(looked.find("ZEB_DATA is not set"), std::string::npos);
}

TEST_F(DataDir, OnlyRegularFilesAreOpenedAsData) {
    std::ofstream("level.txt") << "NUMPOLLIES 0\n";
    FILE* stream = platform_open_file("level.txt");
    ASSERT_NE(stream, nullptr);
    // Reads wait for the disk as usual: nothing of the refusal's non-blocking open is left.
    EXPECT_EQ(fcntl(fileno(stream), F_GETFL) & O_NONBLOCK, 0);
    char line[32] = "";
    EXPECT_NE(fgets(line, sizeof line, stream), nullptr);
    EXPECT_STREQ(line, "NUMPOLLIES 0\n");
    fclose(stream);
    MappedFile view;
    ASSERT_TRUE(platform_map_file("level.txt", &view));
    EXPECT_EQ(view.size, 13u);
    platform_unmap_file(&view);

    // A FIFO without a writer (a blocking open would wait for one for ever), a directory,
    // a device and a socket: refused at once, as "not a regular file" (a socket does not
    // even open: the system's own reason).
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    fs::create_directory("directory");
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    snprintf(address.sun_path, sizeof address.sun_path, "%s", (scratch / "work" / "socket").c_str());
    ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    for (const char* path : {"fifo", "directory", "/dev/null", "socket"}) {
        const char* why = nullptr;
        EXPECT_EQ(platform_open_file(path, &why), nullptr) << path;
        EXPECT_STREQ(why, strcmp(path, "socket") == 0 ? strerror(ENXIO) : "not a regular file") << path;
        EXPECT_FALSE(platform_map_file(path, &view)) << path;
        EXPECT_EQ(view.data, nullptr) << path;
    }
    close(listener);

    // A missing file gives the system's reason; an empty one opens but cannot be mapped.
    const char* why = nullptr;
    EXPECT_EQ(platform_open_file("missing.txt", &why), nullptr);
    EXPECT_STREQ(why, strerror(ENOENT));
    std::ofstream("empty.txt").close();
    stream = platform_open_file("empty.txt");
    EXPECT_NE(stream, nullptr);
    if (stream) fclose(stream);
    EXPECT_FALSE(platform_map_file("empty.txt", &view));
}

} // namespace
