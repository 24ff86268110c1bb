// The settings file as every velk_open sees it: read afresh each time, never a reason for the
// open to fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "settings/scoped_env.h"
#include "support/temp_dir.h"
#include "velk.h"

namespace velk::test {
namespace {

class SettingsOpenTest : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "Brenvik");
        velk_init();
        const BlockInfo defaults{30, 20, 5, 0};
        velk_setBlockInfo(&defaults);
        velk_setPitch(100);
    }
    void TearDown() override {
        velk_setPitch(100);
        velk_free();
    }

    void writeSettings(const std::string& text) {
        std::ofstream(dir.path() / "Brenvik" / "VELK.reg", std::ios::trunc) << text;
    }
    static int inputBlock() {
        BlockInfo b{};
        velk_getBlockInfo(&b);
        return b.inputBlock;
    }
    static bool openSong() {
        InputInfo info{};
        return velk_open(VELK_TEST_DATA_DIR "/cbr_mpeg1_l3.mp3", &info) == 1;
    }

    TempDir dir;
    ScopedEnv config{"XDG_CONFIG_HOME", dir.path().c_str()};
};

TEST_F(SettingsOpenTest, SetRegZeroKeepsTheDefaults) {
    writeSettings("\"setReg\"=dword:00000000\n\"inputBlock\"=dword:0000003c\n");
    ASSERT_TRUE(openSong());
    EXPECT_EQ(inputBlock(), 30);
}

TEST_F(SettingsOpenTest, ValueStoredAsTextIsIgnored) {
    writeSettings("\"setReg\"=dword:00000001\n\"inputBlock\"=\"60\"\n");
    ASSERT_TRUE(openSong());
    EXPECT_EQ(inputBlock(), 30);
}

TEST_F(SettingsOpenTest, PitchTenRecords18AndTheOpenSucceeds) {
    writeSettings("\"setReg\"=dword:00000001\n\"setPitch\"=dword:0000000a\n");
    ASSERT_TRUE(openSong());
    EXPECT_EQ(velk_getLastErrorNo(), 18);
    EXPECT_EQ(velk_getPitch(), 100);
}

TEST_F(SettingsOpenTest, EveryOpenReadsTheFileAgain) {
    writeSettings("\"setReg\"=dword:00000001\n\"inputBlock\"=dword:0000003c\n");
    ASSERT_TRUE(openSong());
    EXPECT_EQ(inputBlock(), 60);
    writeSettings("\"setReg\"=dword:00000001\n\"inputBlock\"=dword:00000028\n");
    ASSERT_TRUE(openSong());
    EXPECT_EQ(inputBlock(), 40);
}

TEST_F(SettingsOpenTest, MissingFileChangesNothing) {
    ASSERT_TRUE(openSong());
    EXPECT_EQ(inputBlock(), 30);
    EXPECT_EQ(velk_getPitch(), 100);
}

TEST_F(SettingsOpenTest, SettingsLoadEvenWhenTheFileFailsToOpen) {
    writeSettings("\"setReg\"=dword:00000001\n\"inputBlock\"=dword:0000003c\n");
    InputInfo info{};
    EXPECT_EQ(velk_open(dir.file("none.mp3").c_str(), &info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 1);
    EXPECT_EQ(inputBlock(), 60);
}

}  // namespace
}  // namespace velk::test
