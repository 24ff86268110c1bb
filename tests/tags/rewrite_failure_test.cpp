// Every write entry point leaves either the whole old file or the whole new one. Writes are made
// to fail part-way with a file-size limit, a process is killed in the middle of a rewrite, and
// every entry point is run over damaged and unusual files: a call that fails leaves the bytes
// as they were, one that succeeds leaves a file that reads back what was written, and no
// temporary file remains.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "support/temp_dir.h"
#include "tag_files.h"
#include "tags/file_rewrite.h"
#include "velk.h"

namespace velk::test {
namespace {

// Caps the size any file of this process may grow to; writes past it fail with EFBIG.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit saved_{};
    sighandler_t oldHandler_;
};

int temporaryFilesIn(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind("velk", 0) == 0) ++count;
    }
    return count;
}

struct Rewrite {
    const char* name;
    Bytes (*original)();
    int (*run)(const char* path);
};

// Test listings show the rewrite's name rather than the record's bytes.
void PrintTo(const Rewrite& rewrite, std::ostream* out) {
    *out << rewrite.name;
}

Bytes plainWithTags() {
    return mpegAudio(60) + lyrics3("[00:01]la") + id3v1("Song", "Band");
}
Bytes wrapped() {
    return riff("RMP3", chunk("data", mpegAudio(60)) + infoList(infoText("INAM", "x"))) +
           id3v1("Song");
}
Bytes withId3v2() {
    return id3v2(4000) + mpegAudio(60) + id3v1("Song");
}
Bytes macBinary() {
    Bytes header(128, 0);
    header[1] = 3;
    return header + mpegAudio(60) + Bytes{9};
}

int growInfo(const char* path) {
    RiffInfoTagRefs refs{};
    const std::string big(20000, 'g');
    refs.field[VELK_RIFFX_ICMT] = big.c_str();
    return velk_setFileRiffInfoRefs(path, &refs);
}

int writeLyrics(const char* path) {
    auto tag = std::make_unique<Lyrics3Tag>();
    std::strcpy(tag->lyr, "[00:01]new words");
    return velk_writeFileLyrics(path, tag.get());
}

const Rewrite kRewrites[] = {
    {"writeLyrics", plainWithTags, writeLyrics},
    {"writeLyricsRiff", wrapped, writeLyrics},
    {"removeLyrics", plainWithTags, velk_removeFileLyrics},
    {"wrap", plainWithTags, velk_convertToRiff},
    {"rewrap", wrapped, velk_convertToRiff},
    {"unwrap", wrapped, velk_convertRiffToMpeg},
    {"growInfo", wrapped, growInfo},
    {"removeId3v2", withId3v2, velk_removeId3v2},
    {"removeMacBinary", macBinary, velk_removeMacBinary},
};

class RewriteFailureTest : public ::testing::TestWithParam<Rewrite> {
  protected:
    TempDir dir;
};

TEST_P(RewriteFailureTest, FailedWriteLeavesTheOldFileWhole) {
    const std::string path = dir.file("audio.mp3");
    const Bytes original = GetParam().original();
    writeFileBytes(path, original);
    {
        // Half of the new content fits; the write of the rest fails.
        FileSizeLimit limit(original.size() / 2);
        EXPECT_EQ(GetParam().run(path.c_str()), 0);
    }
    EXPECT_EQ(readFileBytes(path), original);
    EXPECT_EQ(temporaryFilesIn(dir.path()), 0);
}

TEST_P(RewriteFailureTest, KilledProcessLeavesTheOldFileWhole) {
    const std::string path = dir.file("audio.mp3");
    const Bytes original = GetParam().original();
    writeFileBytes(path, original);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The default action of SIGXFSZ ends the process in the middle of its write.
        signal(SIGXFSZ, SIG_DFL);
        rlimit limit{original.size() / 2, original.size() / 2};
        setrlimit(RLIMIT_FSIZE, &limit);
        GetParam().run(path.c_str());
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(readFileBytes(path), original);
}

TEST_P(RewriteFailureTest, SucceedsWithoutALimit) {
    const std::string path = dir.file("audio.mp3");
    writeFileBytes(path, GetParam().original());
    EXPECT_EQ(GetParam().run(path.c_str()), 1);
    EXPECT_EQ(temporaryFilesIn(dir.path()), 0);
}

INSTANTIATE_TEST_SUITE_P(Rewrites, RewriteFailureTest, ::testing::ValuesIn(kRewrites),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InPlaceTagWrite, FailedAppendLeavesTheOldFileWhole) {
    TempDir dir;
    Id3Tag tag{};
    std::strcpy(tag.title, "New");
    // A plain file takes the tag at its end; a RIFF file whose INFO list ends it grows the list.
    const Bytes files[] = {mpegAudio(30), riff("RMP3", chunk("data", mpegAudio(60)) +
                                                           infoList(infoText("INAM", "x")))};
    for (const Bytes& original : files) {
        const std::string path = dir.file("song.mp3");
        writeFileBytes(path, original);
        {
            FileSizeLimit limit(original.size() + 50);
            EXPECT_EQ(velk_writeTag(path.c_str(), &tag, 0, 1), 0);
        }
        EXPECT_EQ(readFileBytes(path), original);
    }
}

// One write entry point of the sweep: the call, what a file must show after it succeeded, and
// a file it succeeds on.
struct WriteEntry {
    const char* name;
    int (*run)(const char* path);
    bool (*readsBack)(const std::string& path);
    Bytes (*fitting)();
};

bool endsWithTag(const std::string& path) {
    const Bytes bytes = readFileBytes(path);
    return bytes.size() >= 128 &&
           find(bytes, "TAG", bytes.size() - 128) == static_cast<int64_t>(bytes.size() - 128);
}

int appendTag(const char* path) {
    Id3Tag tag{};
    std::strcpy(tag.title, "Swept");
    return velk_writeTag(path, &tag, 0, 1);
}
bool hasSweptTitle(const std::string& path) {
    Id3Tag tag{};
    return velk_getFileTag(path.c_str(), &tag) == 1 && std::strcmp(tag.title, "Swept") == 0;
}

int overwriteTag(const char* path) {
    Id3Tag tag{};
    std::strcpy(tag.title, "Swept");
    return velk_writeTag(path, &tag, 0, 0);
}

int writeInfo(const char* path) {
    RiffInfoTagRefs refs{};
    refs.field[VELK_RIFFX_INAM] = "Swept";
    return velk_setFileRiffInfoRefs(path, &refs);
}
bool hasSweptInfo(const std::string& path) {
    auto tag = std::make_unique<RiffInfoTagEx>();
    return velk_getFileRiffInfo(path.c_str(), tag.get()) == 1 &&
           std::strcmp(tag->field[VELK_RIFFX_INAM], "Swept") == 0 && endsWithTag(path);
}

bool hasNewLyrics(const std::string& path) {
    auto tag = std::make_unique<Lyrics3Tag>();
    return velk_getFileLyricsInfo(path.c_str(), tag.get()) == 1 &&
           std::strcmp(tag->lyr, "[00:01]new words") == 0 && endsWithTag(path);
}
bool hasNoLyrics(const std::string& path) {
    auto tag = std::make_unique<Lyrics3Tag>();
    return velk_getFileLyricsInfo(path.c_str(), tag.get()) == 0 && endsWithTag(path);
}

bool isRiff(const std::string& path) {
    return find(readFileBytes(path), "RIFF") == 0 && velk_getFileType(path.c_str()) > 0;
}
bool isPlain(const std::string& path) {
    return find(readFileBytes(path), "RIFF") != 0;
}
bool startsWithoutId3v2(const std::string& path) {
    return find(readFileBytes(path), "ID3") != 0;
}
bool startsWithoutMacBinary(const std::string& path) {
    const Bytes bytes = readFileBytes(path);
    return bytes.size() < 128 || bytes[0] != 0 || bytes[74] != 0;
}

const WriteEntry kWriteEntries[] = {
    {"appendTag", appendTag, hasSweptTitle, withId3v2},
    {"overwriteTag", overwriteTag, hasSweptTitle, plainWithTags},
    {"writeInfo", writeInfo, hasSweptInfo, wrapped},
    {"writeLyrics", writeLyrics, hasNewLyrics, plainWithTags},
    {"removeLyrics", velk_removeFileLyrics, hasNoLyrics, plainWithTags},
    {"wrap", velk_convertToRiff, isRiff, plainWithTags},
    {"wrapRmp3", velk_convertToRmp3, isRiff, plainWithTags},
    {"unwrap", velk_convertRiffToMpeg, isPlain, wrapped},
    {"removeId3v2", velk_removeId3v2, startsWithoutId3v2, withId3v2},
    {"removeMacBinary", velk_removeMacBinary, startsWithoutMacBinary, macBinary},
};

Bytes waveOf(uint16_t formatTag) {
    return riff("WAVE", formatChunk(formatTag) + chunk("data", mpegAudio(4)) +
                            infoList(infoText("INAM", "x")));
}

struct HostileFile {
    const char* name;
    Bytes bytes;
};

std::vector<HostileFile> hostileFiles() {
    Bytes fmtPastEnd = riff("WAVE", chunk("fmt ", Bytes(18, 0), 5000) + mpegAudio(2));
    Bytes dataPastEnd =
        riff("RMP3", chunk("data", mpegAudio(6), 90000)) + lyrics3("[00:02]old") + id3v1("Old");
    Bytes zeroChunks = riff("RMP3", chunk("junk", {}) + chunk("data", {}) + infoList({}));
    Bytes zeroFormat = riff("WAVE", chunk("fmt ", {}) + chunk("data", mpegAudio(2)));
    Bytes id3v2PastEnd = id3v2(0) + mpegAudio(3);
    id3v2PastEnd[6] = 0x7F;
    Bytes badLyricsSize = mpegAudio(3) + lyrics3("[00:01]x") + id3v1("T");
    badLyricsSize[badLyricsSize.size() - 128 - 15] = '9';  // the size digits name 9xxxxx bytes
    Bytes macBinaryPastEnd(128, 0);
    macBinaryPastEnd[1] = 3;
    macBinaryPastEnd[83] = 0x7F;
    macBinaryPastEnd = macBinaryPastEnd + mpegAudio(2);
    return {
        {"empty", {}},
        {"thirtyBytes", riff("WAVE", text("fmt ") + Bytes(14, 1))},
        {"thirtyJunkBytes", Bytes(30, 0xA5)},
        {"riffHeaderOnly", text("RIFF") + Bytes{4, 0, 0, 0} + text("WAVE")},
        {"riffCutInChunkHeader", riff("WAVE", text("fmt"))},
        {"aLawFormat", waveOf(0x0006)},
        {"floatFormat", waveOf(0x0003) + id3v1("Float")},
        {"formatPastEnd", fmtPastEnd},
        {"dataPastEnd", dataPastEnd},
        {"zeroSizeChunks", zeroChunks},
        {"zeroSizeFormat", zeroFormat},
        {"unknownForm", riff("AVI ", chunk("data", mpegAudio(2)))},
        {"id3v2PastEnd", id3v2PastEnd},
        {"badLyricsSize", badLyricsSize},
        {"macBinaryPastEnd", macBinaryPastEnd},
        {"plainWithTags", plainWithTags()},
        {"wrapped", wrapped()},
    };
}

TEST(HostileFileSweep, EveryWriteFailsWithoutAChangeOrSucceedsSanely) {
    TempDir dir;
    for (const HostileFile& hostile : hostileFiles()) {
        for (const WriteEntry& entry : kWriteEntries) {
            SCOPED_TRACE(std::string(hostile.name) + " / " + entry.name);
            const std::string path = dir.file("hostile.mp3");
            writeFileBytes(path, hostile.bytes);
            if (entry.run(path.c_str()) == 1) {
                EXPECT_TRUE(entry.readsBack(path));
            } else {
                EXPECT_EQ(readFileBytes(path), hostile.bytes);
            }
            EXPECT_EQ(temporaryFilesIn(dir.path()), 0);
        }
    }
}

TEST(HostileFileSweep, FittingFilesSucceedAndReadOnlyOnesAreNeverChanged) {
    TempDir dir;
    for (const WriteEntry& entry : kWriteEntries) {
        SCOPED_TRACE(entry.name);
        const std::string path = dir.file("song.mp3");
        const Bytes original = entry.fitting();
        writeFileBytes(path, original);
        EXPECT_EQ(entry.run(path.c_str()), 1);
        EXPECT_TRUE(entry.readsBack(path));

        writeFileBytes(path, original);
        ASSERT_EQ(chmod(path.c_str(), 0444), 0);
        EXPECT_EQ(entry.run(path.c_str()), 0);
        EXPECT_EQ(readFileBytes(path), original);
        ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    }
    EXPECT_EQ(temporaryFilesIn(dir.path()), 0);
}

TEST(HostileFileSweep, DataSizePastTheEndIsCutWhereTheTrailingTagsBegin) {
    TempDir dir;
    const std::string path = dir.file("long.rmp");
    const Bytes audio = mpegAudio(6);
    writeFileBytes(path, riff("RMP3", chunk("data", audio, 90000)) + id3v1("Old"));
    ASSERT_EQ(writeLyrics(path.c_str()), 1);
    const Bytes once = readFileBytes(path);
    EXPECT_EQ(le32At(once, 16), audio.size());
    EXPECT_EQ(find(once, "TAG"), static_cast<int64_t>(once.size() - 128));
    ASSERT_EQ(writeLyrics(path.c_str()), 1);
    EXPECT_EQ(readFileBytes(path), once);
}

TEST(FileRewrite, KeepsPermissionsOfTheOriginal) {
    TempDir dir;
    const std::string path = dir.file("song.mp3");
    writeFileBytes(path, mpegAudio(5));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(velk_convertToRmp3(path.c_str()), 1);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(FileRewrite, RewritesTheTargetOfASymbolicLink) {
    TempDir dir;
    const std::string target = dir.file("real.mp3");
    const std::string link = dir.file("link.mp3");
    const Bytes audio = mpegAudio(5);
    writeFileBytes(target, audio);
    std::filesystem::create_symlink(target, link);
    ASSERT_EQ(velk_convertToRmp3(link.c_str()), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(find(readFileBytes(target), "RMP3"), 8);
}

TEST(FileRewrite, ReplaceTailKeepsTheHeadAndDropsTheOldEnd) {
    TempDir dir;
    const std::string path = dir.file("f.bin");
    writeFileBytes(path, text("head-and-old-tail"));
    ASSERT_EQ(replaceTail(path, 8, text("+new")), 0);
    EXPECT_EQ(readFileBytes(path), text("head-and+new"));
    EXPECT_EQ(replaceTail(dir.file("missing"), 0, {}), 1);
}

TEST(FileRewrite, ShortSourceReadIsAReadError) {
    TempDir dir;
    const std::string path = dir.file("f.bin");
    writeFileBytes(path, text("0123456789"));
    File source;
    ASSERT_TRUE(source.open(path, File::Mode::Read));
    FileRewrite rewrite;
    ASSERT_EQ(rewrite.begin(path), 0);
    EXPECT_EQ(rewrite.copy(source, 4, 100), 3);
    EXPECT_EQ(rewrite.patch(0, "x", 1), 4);  // nothing written yet to patch
}

}  // namespace
}  // namespace velk::test
