#include "core/command_line.h"

#include <gtest/gtest.h>

namespace velk::app {
namespace {

TEST(CommandLine, OnePathWithoutQuotesOrTheTrayStart) {
    auto line = ParseCommandLine({"\"/music/my", "song.mp3\""});
    EXPECT_EQ(line.mode, CommandLine::Mode::kRun);
    EXPECT_EQ(line.path, "/music/my song.mp3");
    EXPECT_EQ(ParseCommandLine({"-tray"}).path, "-tray");
    EXPECT_EQ(ParseCommandLine({}).path, "");
}

TEST(CommandLine, PictureOptionsInAnyOrder) {
    auto line =
        ParseCommandLine({"--at", "3.5", "a.mp3", "--screenshot", "p.png", "--window", "spectrum"});
    EXPECT_EQ(line.mode, CommandLine::Mode::kPicture);
    EXPECT_EQ(line.pictureFile, "p.png");
    EXPECT_EQ(line.window, "spectrum");
    EXPECT_DOUBLE_EQ(line.atSeconds, 3.5);
    EXPECT_EQ(line.path, "a.mp3");
    EXPECT_EQ(ParseCommandLine({"--screenshot", "p.png"}).window, "main");
}

// An option the player does not know is an error, never a path to add to the favourite.
TEST(CommandLine, UnknownOptionsAndMissingValuesAreErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"},
        {"--screenshot"},
        {"--screenshot", "p.png", "--at"},
        {"--at", "-1"},
        {"--at", "3s", "--screenshot", "p.png"},
        {"--window", "x"},
        {"a.mp3", "--window", "main"},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(ParseCommandLine(args).mode, CommandLine::Mode::kError) << args[0];
    }
    EXPECT_EQ(ParseCommandLine({"a.mp3", "--help"}).mode, CommandLine::Mode::kHelp);
}

}  // namespace
}  // namespace velk::app
