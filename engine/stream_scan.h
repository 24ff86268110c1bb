// Finding the first frame of the audio and reading its stream information.
#pragma once

#include <cstddef>
#include <cstdint>

#include "decoder/frame_scanner.h"
#include "file.h"

namespace velk {

// Bytes read at the data start to look for the first sync and to read the first frame.
constexpr size_t kSyncWindow = 10240;

// True when the first 128 bytes look like a MacBinary header (byte 0 and byte 74 zero).
bool hasMacBinaryHeader(const uint8_t* first128);

// Reads `window` bytes at `dataStart`, moves `dataStart` to the first sync whose frame is
// followed by another header of the same stream (or by `dataEnd`, the end of the audio), reads
// `window` bytes there and fills `info`. Returns 0 or the engine error: 3 (read), 10 (no sync),
// 11 (invalid first frame).
int locateFirstFrame(const File& file, FrameScanner& scanner, int64_t& dataStart, int64_t dataEnd,
                     size_t window, StreamInfo& info);

// Frames counted by walking the file from `dataStart`. In empty-frame mode the walk stops at the
// first frame whose data after the side information holds a byte other than 00 and FF, and the
// result is the number of frames before it. Returns -1 with the engine error in `error`.
int64_t walkFrames(const File& file, FrameScanner& scanner, int64_t dataStart, bool emptyFrameMode,
                   int& error);

}  // namespace velk
