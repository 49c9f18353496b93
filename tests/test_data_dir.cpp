// Finding the data directory: the working directory first (scripts and the build tree
// rely on it), ZEB_DATA only when nothing nearer has it, and every place tried listed
// when none has it.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

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

} // namespace
