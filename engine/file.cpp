#include "file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace velk {

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

File::~File() {
    close();
}

bool File::open(const std::string& path, Mode mode) {
    close();
    if (path.empty()) return false;
    int flags = O_CLOEXEC;
    switch (mode) {
        case Mode::Read:
            flags |= O_RDONLY;
            break;
        case Mode::ReadWrite:
            flags |= O_RDWR;
            break;
        case Mode::Create:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
    }
    do {
        fd_ = ::open(path.c_str(), flags, 0666);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) return false;
    struct stat st {};
    // A file that no one may write is read-only also for a process that could override that
    // (root): such a file is not changed.
    if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode) ||
        (mode == Mode::ReadWrite && (st.st_mode & 0222) == 0)) {
        close();
        return false;
    }
    return true;
}

void File::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

int64_t File::size() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

int64_t File::readAt(int64_t offset, void* buffer, size_t length) const {
    if (fd_ < 0 || offset < 0) return -1;
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < length) {
        ssize_t n = ::pread(fd_, out + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return done > 0 ? static_cast<int64_t>(done) : -1;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
}

bool File::readExact(int64_t offset, void* buffer, size_t length) const {
    return readAt(offset, buffer, length) == static_cast<int64_t>(length);
}

bool File::writeAt(int64_t offset, const void* buffer, size_t length) {
    if (fd_ < 0 || offset < 0) return false;
    const auto* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < length) {
        ssize_t n = ::pwrite(fd_, in + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool File::truncate(int64_t length) {
    return fd_ >= 0 && length >= 0 && ::ftruncate(fd_, static_cast<off_t>(length)) == 0;
}

}  // namespace velk
