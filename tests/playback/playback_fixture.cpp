#include "playback_fixture.h"

#include <thread>

#include "support/mpeg_frames.h"

namespace velk::test {

void CallbackLog::clear() {
    std::lock_guard guard(lock);
    calls.clear();
    reaction = nullptr;
}

int CallbackLog::count(int code) {
    std::lock_guard guard(lock);
    int n = 0;
    for (const auto& call : calls) n += call.first == code;
    return n;
}

std::vector<int> CallbackLog::codes() {
    std::lock_guard guard(lock);
    std::vector<int> out;
    for (const auto& call : calls) out.push_back(call.first);
    return out;
}

CallbackLog& callbackLog() {
    static CallbackLog log;
    return log;
}

int recordCallback(int32_t code, int32_t value) {
    CallbackLog& log = callbackLog();
    std::function<void(int, int)> reaction;
    {
        std::lock_guard guard(log.lock);
        log.calls.emplace_back(code, value);
        reaction = log.reaction;
    }
    if (reaction) reaction(code, value);
    return 0;
}

size_t MessageLog::size() {
    std::lock_guard guard(lock);
    return texts.size();
}

std::vector<std::string> MessageLog::all() {
    std::lock_guard guard(lock);
    return texts;
}

MessageLog& messageLog() {
    static MessageLog log;
    return log;
}

void recordMessages() {
    {
        std::lock_guard guard(messageLog().lock);
        messageLog().texts.clear();
    }
    velk_setMessageHook([](const char* caption, const char* text) {
        EXPECT_STREQ(caption, "エラー");
        std::lock_guard guard(messageLog().lock);
        messageLog().texts.emplace_back(text);
    });
}

void PlaybackTest::SetUp() {
    callbackLog().clear();
    velk_init();
    // The engine is one per process and keeps its flags across velk_init: start each test
    // from the defaults.
    velk_setSeekWhenStopped(0);
    velk_setFastSeek(1);
    velk_setTimeLimit(1);
    velk_setPlaySpeed(1, 20);
    velk_setPitch(100);
    velk_setFadeIn(0);
    velk_setFadeOut(0);
    velk_setOutputLevel(100, 100);
    velk_setVolume(100, 100);
    velk_setCallback(recordCallback);
}

void PlaybackTest::TearDown() {
    velk_free();
    velk_setMessageHook(nullptr);
    callbackLog().clear();
}

std::string PlaybackTest::writeSong(const std::string& name, int frames) {
    const std::string path = dir.file(name);
    writeFileBytes(path, silentStream(HeaderFields{}, frames));
    return path;
}

void PlaybackTest::openSong(int frames) {
    song = writeSong("song.mp3", frames);
    InputInfo info{};
    ASSERT_EQ(velk_open(song.c_str(), &info), 1);
}

bool PlaybackTest::waitFor(const std::function<bool()>& done, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
}

int PlaybackTest::state() {
    return velk_getState(nullptr);
}

}  // namespace velk::test
