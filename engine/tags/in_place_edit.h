// Small changes made to a file in place, in several writes that stand or fall together. Each
// write first saves the bytes it covers; when one fails, the saved bytes are put back and the
// file is cut to its old size, so the caller can report failure for an unchanged file.
#pragma once

#include <cstdint>
#include <vector>

#include "file.h"

namespace velk {

class InPlaceEdit {
  public:
    InPlaceEdit(File& file, int64_t fileSize) : file_(file), fileSize_(fileSize) {}

    // 0, or the engine error after the edit so far has been undone: 3 the bytes to be covered
    // cannot be saved, 4 the write failed.
    int write(int64_t offset, const void* data, size_t length);

  private:
    struct Saved {
        int64_t offset;
        std::vector<uint8_t> bytes;
    };
    void undo();

    File& file_;
    int64_t fileSize_;
    std::vector<Saved> saved_;
};

}  // namespace velk
