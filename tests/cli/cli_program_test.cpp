// velkaro-cli run as a program on files: what it prints, what it writes into them, and how it
// reports the engine's errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/temp_dir.h"

namespace velk::test {
namespace {

std::string fixture(const std::string& name) {
    return std::string(VELK_TEST_DATA_DIR) + "/" + name;
}

// Runs the program with `arguments` (shell words); stdout and stderr together.
std::string runCli(const std::string& arguments, int& status) {
    std::string output;
    FILE* pipe = popen((std::string(VELKARO_CLI) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    status = pclose(pipe);
    return output;
}

struct CliProgramTest : testing::Test {
    TempDir dir;

    // The last 128 bytes of the file.
    std::vector<uint8_t> id3v1Of(const std::string& path) {
        const auto bytes = readFileBytes(path);
        return std::vector<uint8_t>(bytes.end() - 128, bytes.end());
    }
    std::string run(const std::string& arguments) {
        int status = -1;
        const std::string out = runCli(arguments, status);
        EXPECT_EQ(status, 0) << arguments << ":\n" << out;
        return out;
    }
};

std::string field(const std::vector<uint8_t>& tag, size_t at, size_t length) {
    std::string text(tag.begin() + static_cast<long>(at),
                     tag.begin() + static_cast<long>(at + length));
    return text.substr(0, text.find_last_not_of(std::string(" \0", 2)) + 1);
}

TEST_F(CliProgramTest, InfoPrintsKeyValueLinesAndHelpListsCommands) {
    const std::string out = run("info " + fixture("demo.mp3"));
    for (const char* line : {"channels: 2\n", "frequency: 44100\n", "bitrate: 128\n", "layer: 3\n",
                             "title: Velkaro demo\n", "artist: Velkaro\n", "play-time: 12\n"}) {
        EXPECT_NE(out.find(line), std::string::npos) << line << " in\n" << out;
    }
    EXPECT_NE(run("--help").find("info"), std::string::npos);
}

TEST_F(CliProgramTest, NewTagGetsNoGenreAndOptionsNotGivenKeepTheFileFields) {
    const std::string song = dir.file("song.mp3");
    writeFileBytes(song, readFileBytes(fixture("cbr_mpeg1_l3.mp3")));
    const size_t plainSize = readFileBytes(song).size();
    run("tag " + song + " --title T --append");
    auto tag = id3v1Of(song);
    ASSERT_EQ(readFileBytes(song).size(), plainSize + 128);
    EXPECT_EQ(field(tag, 0, 3), "TAG");
    EXPECT_EQ(field(tag, 3, 30), "T");
    EXPECT_EQ(tag[127], 255) << "a new tag names no genre";
    EXPECT_NE(run("tag " + song).find("genre: 255"), std::string::npos);

    run("tag " + song + " --artist A --genre 12");
    run("tag " + song + " --album B");
    tag = id3v1Of(song);
    EXPECT_EQ(field(tag, 3, 30), "T");
    EXPECT_EQ(field(tag, 33, 30), "A");
    EXPECT_EQ(field(tag, 63, 30), "B");
    EXPECT_EQ(tag[127], 12);
    EXPECT_EQ(readFileBytes(song).size(), plainSize + 128) << "the tag is written over, once";
}

TEST_F(CliProgramTest, TrackNumberOfAnId3v11TagSurvivesAnotherField) {
    const std::string song = dir.file("track.mp3");
    auto bytes = readFileBytes(fixture("cbr_mpeg1_l3.mp3"));
    std::vector<uint8_t> tag(128, ' ');
    const std::string head = "TAGOld title";
    std::copy(head.begin(), head.end(), tag.begin());
    tag[125] = 0;   // comment byte 28: an ID3v1.1 track follows
    tag[126] = 7;   // track
    tag[127] = 17;  // genre
    bytes.insert(bytes.end(), tag.begin(), tag.end());
    writeFileBytes(song, bytes);
    run("tag " + song + " --title New");
    const auto written = id3v1Of(song);
    EXPECT_EQ(field(written, 3, 30), "New");
    EXPECT_EQ(written[125], 0);
    EXPECT_EQ(written[126], 7);
    EXPECT_EQ(written[127], 17);
}

TEST_F(CliProgramTest, EngineErrorsAreExplainedInWords) {
    const std::string text = dir.file("short.txt");
    const std::string words = "seventeen bytes!\n";
    writeFileBytes(text, std::vector<uint8_t>(words.begin(), words.end()));
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {text, "error 3: " + text + ": a read failed or the file ends before the data it needs\n"},
        {dir.file("absent.mp3"), "error 1: " + dir.file("absent.mp3") +
                                     ": the file cannot be opened or created (or no name was "
                                     "given)\n"},
        {dir.path().string(), "error 1: " + dir.path().string() +
                                  ": the file cannot be opened or created (or no name was "
                                  "given)\n"},
    };
    for (const auto& c : cases) {
        for (const char* command : {"info", "play"}) {
            int status = -1;
            EXPECT_EQ(runCli(std::string(command) + " " + c.path, status), c.message) << command;
            EXPECT_NE(status, 0);
        }
    }
}

}  // namespace
}  // namespace velk::test
