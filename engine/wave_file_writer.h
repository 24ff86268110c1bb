// A PCM wave file written while decoding: the header first, with its sizes patched when the
// file is finished; a "wflt" chunk carries the 64-bit length of files of 4 GiB or more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "file.h"

namespace velk {

class WaveFileWriter {
  public:
    bool create(const std::string& path, int channels, int frequency, int bitsPerSample,
                int64_t expectedDataSize);
    bool append(const uint8_t* data, size_t length);
    // Patches the RIFF and data sizes from the final file size and closes the file.
    void finish();
    bool isOpen() const { return file_.isOpen(); }

  private:
    File file_;
    int64_t end_ = 0;
    bool large_ = false;
};

}  // namespace velk
