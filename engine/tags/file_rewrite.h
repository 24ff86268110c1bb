// Rewriting an audio file without ever leaving a half-written one: the new content is built in
// a temporary file beside the original (same folder, so the same file system), flushed to disk
// and renamed over the original in one step. Until that rename the original is untouched, so a
// full disk, a read error or a killed process leaves the complete old file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "file.h"

namespace velk {

class FileRewrite {
  public:
    FileRewrite() = default;
    FileRewrite(const FileRewrite&) = delete;
    FileRewrite& operator=(const FileRewrite&) = delete;
    // Removes the temporary file unless commit() succeeded.
    ~FileRewrite();

    // Creates the temporary file "velkXXXXXX" in the folder of the file that `path` names (after
    // following symbolic links). 0, or 1 when the file does not exist or may not be written
    // (the rename would replace a read-only file all the same), 4 when no temporary file can be
    // made there.
    int begin(const std::string& path);

    // Each returns 0 or the engine error: 3 a read of `source` failed or came short, 4 a write.
    int append(const void* data, size_t length);
    int append(const std::vector<uint8_t>& bytes) { return append(bytes.data(), bytes.size()); }
    int copy(const File& source, int64_t offset, int64_t length);
    // Overwrites bytes already written, for size fields known only at the end.
    int patch(int64_t offset, const void* data, size_t length);

    // Bytes of new content written so far.
    int64_t size() const { return size_; }

    // Flushes the new content, gives it the original's permissions and renames it over the
    // original. 0 or 4.
    int commit();

  private:
    void discard();

    File temp_;
    std::string tempPath_;
    std::string targetPath_;
    int64_t size_ = 0;
};

// Keeps the first `keep` bytes of the file and puts `tail` after them: the new file is those
// bytes followed by `tail`. 0 or the engine error (1, 3, 4).
int replaceTail(const std::string& path, int64_t keep, const std::vector<uint8_t>& tail);

}  // namespace velk
