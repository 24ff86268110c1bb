// A POSIX file with 64-bit offsets: positional reads and writes, size, truncation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velk {

class File {
  public:
    enum class Mode { Read, ReadWrite, Create };

    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    ~File();

    bool open(const std::string& path, Mode mode);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    // Size in bytes, or -1 when it cannot be read.
    int64_t size() const;
    // Reads up to `length` bytes at `offset`; returns the count read (short at the end), -1 on
    // error.
    int64_t readAt(int64_t offset, void* buffer, size_t length) const;
    // Reads exactly `length` bytes; false on a short read or an error.
    bool readExact(int64_t offset, void* buffer, size_t length) const;
    // Writes all `length` bytes at `offset`.
    bool writeAt(int64_t offset, const void* buffer, size_t length);
    bool truncate(int64_t length);

  private:
    int fd_ = -1;
};

}  // namespace velk
