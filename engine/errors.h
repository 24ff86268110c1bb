// The engine's last-error codes and the process-wide last-error slot.
#pragma once

#include <atomic>

namespace velk {

enum ErrorCode : int {
    kErrNone = 0,
    kErrFileOpen = 1,       // name empty, or the file cannot be opened or created
    kErrNoFile = 2,         // no file is open
    kErrRead = 3,           // a read failed or returned nothing where data was needed
    kErrWrite = 4,          // a write failed
    kErrWaveCreate = 5,     // output wave file / conversion source cannot be opened
    kErrBadWave = 6,        // the conversion source is not a usable wave file
    kErrAcmBusy = 7,        // conversion source already open / none open / already running
    kErrLyricsFile = 8,     // a lyrics text file cannot be opened
    kErrNoLyrics = 9,       // no lyrics are loaded
    kErrNoSync = 10,        // no frame sync where the audio starts
    kErrBadHeader = 11,     // first frame's header or stream information invalid
    kErrNotPlaying = 12,    // nothing is playing
    kErrBusy = 13,          // refused while playing or paused
    kErrPauseState = 14,    // pause asked while not playing
    kErrNoConversion = 15,  // no conversion is running
    kErrRange = 18,         // an argument is out of range
    kErrMemory = 19,        // memory cannot be allocated
    kErrRiffConvert = 20,   // a RIFF container conversion failed
    kErrMacBinary = 23,     // refused: the file starts with a MacBinary header
    kErrRiffKind = 24,      // a RIFF file of no supported kind
    kErrDeviceOpen = 25,    // the output device cannot be opened
    kErrDecoderInit = 26,   // the decoder cannot start on the first frame
    kErrThreadStart = 27,   // the decode thread cannot be started
    kErrAcmThread = 28,     // the conversion thread cannot be started
    kErrEvent = 29,         // an event object cannot be created
    kErrNoEncoder = 30,     // the Layer-3 encoder is not installed
    kErrNoEncoderFormat = 31,
    kErrEncoderStream = 32,  // the conversion stream cannot be opened
};

// The engine keeps one last-error code for the whole process; success never clears it.
inline std::atomic<int>& lastErrorSlot() {
    static std::atomic<int> code{0};
    return code;
}
inline void setLastError(int code) {
    lastErrorSlot().store(code, std::memory_order_relaxed);
}
inline int lastError() {
    return lastErrorSlot().load(std::memory_order_relaxed);
}

}  // namespace velk
