// Applying the settings file to the engine: the master switch, the validation of each group
// and the errors they record.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine.h"
#include "engine_settings.h"
#include "errors.h"
#include "settings/scoped_env.h"
#include "support/temp_dir.h"
#include "velk.h"

namespace velk::test {
namespace {

class SettingsApplyTest : public testing::Test {
  protected:
    void SetUp() override {
        velk_init();
        velk_setBlockInfo(&kDefaults);
        velk_setPitch(100);
        velk_setFrameReadFlag(0);
        setLastError(0);
    }
    void TearDown() override {
        velk_setBlockInfo(&kDefaults);
        velk_setPitch(100);
        velk_setFrameReadFlag(0);
        velk_setLyrics3Use(0);
        velk_setKaraokeUse(0);
        velk_setLyricsTime(0);
        velk_setNotTagLyricsLine(1);
        velk_useAtMarkTag(0);
        const DecodeOptions options{0, 0, 24000};
        velk_setDecodeOption(&options);
        velk_free();
    }

    static void apply(const std::string& text) {
        applyEngineSettings(Engine::instance(), EngineSettingsFile::parse(text));
    }
    static BlockInfo blocks() {
        BlockInfo b{};
        velk_getBlockInfo(&b);
        return b;
    }
    static DecodeOptions options() {
        DecodeOptions o{};
        velk_getDecodeOption(&o);
        return o;
    }

    static constexpr BlockInfo kDefaults{30, 20, 5, 0};
};

TEST_F(SettingsApplyTest, WithoutSetRegNothingIsRead) {
    apply("\"inputBlock\"=dword:0000003c\n\"setPitch\"=dword:00000050\n");
    EXPECT_EQ(blocks().inputBlock, 30);
    apply("\"setReg\"=dword:00000000\n\"inputBlock\"=dword:0000003c\n");
    EXPECT_EQ(blocks().inputBlock, 30);
    EXPECT_EQ(velk_getPitch(), 100);
    EXPECT_EQ(velk_getLastErrorNo(), 0);
}

TEST_F(SettingsApplyTest, SetRegAsTextCountsAsAbsent) {
    apply("\"setReg\"=\"1\"\n\"inputBlock\"=dword:0000003c\n");
    EXPECT_EQ(blocks().inputBlock, 30);
}

TEST_F(SettingsApplyTest, BlockValuesReplaceOnlyThosePresent) {
    apply(
        "\"setReg\"=dword:00000001\n\"inputBlock\"=dword:0000003c\n\"outputSleep\"=dword:"
        "00000002\n");
    const BlockInfo b = blocks();
    EXPECT_EQ(b.inputBlock, 60);
    EXPECT_EQ(b.outputBlock, 20);
    EXPECT_EQ(b.inputSleep, 5);
    EXPECT_EQ(b.outputSleep, 2);
    EXPECT_EQ(Engine::instance().tuning().savedOutputBlock, 20);
}

TEST_F(SettingsApplyTest, OneInvalidBlockValueAppliesNoneAndRecords18) {
    apply(
        "\"setReg\"=dword:00000001\n\"inputBlock\"=dword:0000003c\n\"outputBlock\"=dword:"
        "00000000\n");
    EXPECT_EQ(velk_getLastErrorNo(), 18);
    EXPECT_EQ(blocks().inputBlock, 30);
    EXPECT_EQ(blocks().outputBlock, 20);
    setLastError(0);
    apply("\"setReg\"=dword:00000001\n\"inputSleep\"=dword:ffffffff\n");
    EXPECT_EQ(velk_getLastErrorNo(), 18);
    EXPECT_EQ(blocks().inputSleep, 5);
}

TEST_F(SettingsApplyTest, TextValueIsIgnoredAndTheRestApplies) {
    apply("\"setReg\"=dword:00000001\n\"inputBlock\"=\"60\"\n\"outputBlock\"=dword:00000028\n");
    EXPECT_EQ(blocks().inputBlock, 30);
    EXPECT_EQ(blocks().outputBlock, 40);
    EXPECT_EQ(velk_getLastErrorNo(), 0);
}

TEST_F(SettingsApplyTest, DecodeOptionsAreValidatedAsTheSetterDoes) {
    apply(
        "\"setReg\"=dword:00000001\n\"reduction\"=dword:00000001\n\"freqLimit\"=dword:00003e80\n");
    EXPECT_EQ(options().reduction, 1);
    EXPECT_EQ(options().convert, 0);
    EXPECT_EQ(options().freqLimit, 16000);
    for (const char* bad : {"\"reduction\"=dword:00000003", "\"convert\"=dword:00000002",
                            "\"freqLimit\"=dword:00000000"}) {
        SCOPED_TRACE(bad);
        setLastError(0);
        apply(std::string("\"setReg\"=dword:00000001\n") + bad + "\n");
        EXPECT_EQ(velk_getLastErrorNo(), 18);
        EXPECT_EQ(options().reduction, 1);
        EXPECT_EQ(options().freqLimit, 16000);
    }
}

TEST_F(SettingsApplyTest, WhilePlayingBlocksAndDecodeOptionsRecord13) {
    // A real-time sink, so the song is still there to pause.
    const ScopedEnv audio("VELKARO_AUDIO", "null");
    InputInfo info{};
    ASSERT_EQ(velk_open((std::string(VELK_TEST_DATA_DIR) + "/demo.mp3").c_str(), &info), 1);
    ASSERT_EQ(velk_play(), 1);
    velk_pause();
    ASSERT_EQ(velk_getState(nullptr), VELK_STATE_PAUSED);
    apply(
        "\"setReg\"=dword:00000001\n\"inputBlock\"=dword:0000003c\n\"reduction\"=dword:00000001\n");
    velk_stop();
    velk_close();
    EXPECT_EQ(velk_getLastErrorNo(), 13);
    EXPECT_EQ(blocks().inputBlock, 30);
    EXPECT_EQ(options().reduction, 0);
}

TEST_F(SettingsApplyTest, FlagsFollowTheirOwnRules) {
    apply(
        "\"setReg\"=dword:00000001\n"
        "\"setFrameReadFlag\"=dword:00000002\n"
        "\"setLyrics3Use\"=dword:00000002\n"
        "\"setKaraokeUse\"=dword:00000001\n"
        "\"setLyricsTime\"=dword:00000002\n"
        "\"setNotTagLyricsLine\"=dword:00000000\n"
        "\"setLyricsNextAdjustTime\"=dword:0000012c\n"
        "\"useAtMarkTag\"=dword:00000001\n");
    Engine& e = Engine::instance();
    EXPECT_TRUE(e.tuning().frameReadFlag);         // nonzero is on
    EXPECT_FALSE(e.lyrics().settings.lyrics3Use);  // only 1 is on
    EXPECT_TRUE(e.lyrics().settings.karaokeUse);
    EXPECT_EQ(e.lyrics().settings.timeType, 2);  // stored unchanged
    EXPECT_FALSE(e.lyrics().settings.untaggedRows);
    EXPECT_EQ(e.lyrics().settings.nextAdjustMs, 300);
    EXPECT_TRUE(e.lyrics().settings.atMarkHeaders);
}

TEST_F(SettingsApplyTest, AbsentFlagsKeepTheirValues) {
    velk_setKaraokeUse(1);
    velk_setFrameReadFlag(1);
    apply("\"setReg\"=dword:00000001\n");
    EXPECT_TRUE(Engine::instance().lyrics().settings.karaokeUse);
    EXPECT_TRUE(Engine::instance().tuning().frameReadFlag);
}

TEST_F(SettingsApplyTest, PitchBelow20IsIgnoredWithError18) {
    apply("\"setReg\"=dword:00000001\n\"setPitch\"=dword:0000000a\n");
    EXPECT_EQ(velk_getPitch(), 100);
    EXPECT_EQ(velk_getLastErrorNo(), 18);
    apply("\"setReg\"=dword:00000001\n\"setPitch\"=dword:00000014\n");
    EXPECT_EQ(velk_getPitch(), 20);
}

TEST_F(SettingsApplyTest, LoadReadsTheUsersFile) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "Brenvik");
    std::ofstream(dir.path() / "Brenvik" / "VELK.reg")
        << "\"setReg\"=dword:00000001\r\n\"outputBlock\"=dword:00000007\r\n";
    {
        ScopedEnv config("XDG_CONFIG_HOME", dir.path().c_str());
        loadEngineSettings(Engine::instance());
    }
    EXPECT_EQ(blocks().outputBlock, 7);
    EXPECT_EQ(Engine::instance().tuning().savedOutputBlock, 7);
}

}  // namespace
}  // namespace velk::test
