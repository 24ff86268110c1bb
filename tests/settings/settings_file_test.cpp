// Reading the engine's settings file: the registry-export lines, values of the wrong type,
// hostile text and where the file is looked for.
#include <gtest/gtest.h>

#include "engine_settings_file.h"
#include "settings/scoped_env.h"
#include "support/temp_dir.h"

namespace velk::test {
namespace {

TEST(SettingsFileTest, ReadsAnExportWithHeaderSectionAndCrLf) {
    const auto values = EngineSettingsFile::parse(
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\software\\Brenvik\\VELK]\r\n"
        "\"setReg\"=dword:00000001\r\n"
        "\"inputBlock\"=dword:0000003c\r\n");
    EXPECT_EQ(values.dword("setReg"), 1);
    EXPECT_EQ(values.dword("inputBlock"), 60);
    EXPECT_FALSE(values.dword("outputBlock"));
}

TEST(SettingsFileTest, ValuesOfAnotherTypeAreAbsent) {
    const auto values = EngineSettingsFile::parse(
        "\"inputBlock\"=\"60\"\n"
        "\"outputBlock\"=hex:3c,00,00,00\n"
        "\"inputSleep\"=qword:0000000000000005\n");
    EXPECT_FALSE(values.dword("inputBlock"));
    EXPECT_FALSE(values.dword("outputBlock"));
    EXPECT_FALSE(values.dword("inputSleep"));
}

TEST(SettingsFileTest, NumbersNeedExactlyEightHexDigits) {
    const auto values = EngineSettingsFile::parse(
        "\"seven\"=dword:0000003\n"
        "\"nine\"=dword:00000003c\n"
        "\"notHex\"=dword:0000003g\n"
        "\"upper\"=dword:0000ABCD\n"
        "\"all\"=dword:ffffffff\n"
        "\"spaced\"=dword: 0000003\n"
        "\"empty\"=dword:\n");
    EXPECT_FALSE(values.dword("seven"));
    EXPECT_FALSE(values.dword("nine"));
    EXPECT_FALSE(values.dword("notHex"));
    EXPECT_EQ(values.dword("upper"), 0xABCD);
    EXPECT_EQ(values.dword("all"), -1);  // a 32-bit number read as signed
    EXPECT_FALSE(values.dword("spaced"));
    EXPECT_FALSE(values.dword("empty"));
}

TEST(SettingsFileTest, NamesMatchRegardlessOfCase) {
    const auto values = EngineSettingsFile::parse("\"SETREG\"=dword:00000001\n");
    EXPECT_EQ(values.dword("setReg"), 1);
    EXPECT_EQ(values.dword("setreg"), 1);
}

TEST(SettingsFileTest, ALaterLineReplacesAnEarlierOne) {
    const auto values = EngineSettingsFile::parse(
        "\"a\"=dword:00000001\n\"a\"=dword:00000002\n"
        "\"b\"=dword:00000001\n\"b\"=\"text\"\n");
    EXPECT_EQ(values.dword("a"), 2);
    EXPECT_FALSE(values.dword("b"));
}

TEST(SettingsFileTest, GarbageLinesAreSkipped) {
    const auto values = EngineSettingsFile::parse(
        "\"\n\"unterminated=dword:00000001\n=dword:00000001\n\"\"=dword:00000007\n"
        "   \"indented\"=dword:00000009   \n\x01\x02\xff\n\"ok\"=dword:00000004");
    EXPECT_FALSE(values.dword("unterminated"));
    EXPECT_EQ(values.dword(""), 7);
    EXPECT_EQ(values.dword("indented"), 9);
    EXPECT_EQ(values.dword("ok"), 4);  // the last line needs no newline
}

TEST(SettingsFileTest, EmptyTextHasNoValues) {
    EXPECT_FALSE(EngineSettingsFile::parse("").dword("setReg"));
}

TEST(SettingsFileTest, ReadsUtf16AndUtf8ExportsFromAFile) {
    TempDir dir;
    const std::string line = "\"setPitch\"=dword:00000050\r\n";
    std::vector<uint8_t> utf16{0xFF, 0xFE};
    for (char c : line) utf16.insert(utf16.end(), {static_cast<uint8_t>(c), 0});
    writeFileBytes(dir.file("16.reg"), utf16);
    const std::string utf8 = "\xEF\xBB\xBF" + line;
    writeFileBytes(dir.file("8.reg"), std::vector<uint8_t>(utf8.begin(), utf8.end()));
    EXPECT_EQ(EngineSettingsFile::read(dir.file("16.reg")).dword("setPitch"), 80);
    EXPECT_EQ(EngineSettingsFile::read(dir.file("8.reg")).dword("setPitch"), 80);
}

TEST(SettingsFileTest, OddLengthUtf16FileDoesNotReadPastItsEnd) {
    TempDir dir;
    writeFileBytes(dir.file("odd.reg"), {0xFF, 0xFE, '"', 0, 'a', 0, '"'});
    EXPECT_FALSE(EngineSettingsFile::read(dir.file("odd.reg")).dword("a"));
}

TEST(SettingsFileTest, MissingFileOrFolderHasNoValues) {
    TempDir dir;
    EXPECT_FALSE(EngineSettingsFile::read(dir.file("none.reg")).dword("setReg"));
    EXPECT_FALSE(EngineSettingsFile::read(dir.path().string()).dword("setReg"));
    EXPECT_FALSE(EngineSettingsFile::read("").dword("setReg"));
}

TEST(SettingsPathTest, ConfigHomeFirstThenHome) {
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        ScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(engineSettingsPath(), "/cfg/Brenvik/VELK.reg");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", "relative/cfg");
        ScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(engineSettingsPath(), "/home/u/.config/Brenvik/VELK.reg");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", nullptr);
        EXPECT_EQ(engineSettingsPath(), "");
    }
}

}  // namespace
}  // namespace velk::test
