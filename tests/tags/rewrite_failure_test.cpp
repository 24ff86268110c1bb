// Rewrites that move blocks must leave either the whole old file or the whole new one. Writes
// are made to fail part-way with a file-size limit, and a process is killed in the middle of
// a rewrite; afterwards the original bytes must be intact and no temporary file may remain.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>

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
void PrintTo(const Rewrite& rewrite, std::ostream* out) { *out << rewrite.name; }

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

const Rewrite kRewrites[] = {
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
