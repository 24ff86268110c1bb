// The readers that take a file name or an open File see the fuzzer's bytes through one scratch
// file per process, rewritten for every input.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace velk::fuzz {

class ScratchFile {
  public:
    // Under $TMPDIR (else /tmp); the file is removed when the process ends normally.
    ScratchFile() {
        const char* folder = std::getenv("TMPDIR");
        path_ = std::string(folder && *folder ? folder : "/tmp") + "/velk-fuzz-XXXXXX";
        const int fd = mkstemp(path_.data());
        if (fd < 0) std::abort();
        close(fd);
    }
    ~ScratchFile() { unlink(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Replaces the content by `data`; the path is returned for the readers. Writers under test
    // may have replaced the file itself (renamed a new one over it), so it is opened each time.
    const std::string& hold(const uint8_t* data, size_t size) {
        const int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) std::abort();
        size_t written = 0;
        while (written < size) {
            const ssize_t n = write(fd, data + written, size - written);
            if (n <= 0) std::abort();
            written += static_cast<size_t>(n);
        }
        close(fd);
        return path_;
    }

  private:
    std::string path_;
};

}  // namespace velk::fuzz
