// The file information query: analyses a file by name without touching the open file.
#pragma once

#include "decoder/frame_scanner.h"
#include "velk.h"

namespace velk {

struct FileInfoRequest {
    Id3Tag* tag = nullptr;
    RiffInfoTag* riff = nullptr;
    int32_t* typeFlags = nullptr;
    FileTimes* times = nullptr;
};

// Fills `info` (and the optional records) for `fileName`; false with the engine error set.
bool queryFileInfo(const DecodeOptions& options, const char* fileName, MpegInfo& info,
                   const FileInfoRequest& request);

// Words 0 to 7 of the record: the first frame's header fields.
void fillHeaderWords(const FrameHeader& header, MpegInfo& out);
void toFourteenWords(const MpegInfo& in, MpegInfo14& out);
void toDoubleForm(const MpegInfo& in, MpegInfoDouble& out);

}  // namespace velk
