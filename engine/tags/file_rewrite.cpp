#include "tags/file_rewrite.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "errors.h"

namespace velk {
namespace {

constexpr size_t kCopyChunk = size_t{1} << 20;

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A rename is only durable once the folder entry itself is on disk.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

FileRewrite::~FileRewrite() {
    discard();
}

void FileRewrite::discard() {
    temp_.close();
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

int FileRewrite::begin(const std::string& path) {
    discard();
    char resolved[PATH_MAX];
    if (path.empty() || !::realpath(path.c_str(), resolved)) return kErrFileOpen;
    targetPath_ = resolved;
    File target;
    if (!target.open(targetPath_, File::Mode::ReadWrite)) return kErrFileOpen;
    std::string pattern = folderOf(targetPath_) + "/velkXXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return kErrWrite;
    ::close(fd);
    tempPath_ = pattern;
    if (!temp_.open(tempPath_, File::Mode::ReadWrite)) {
        discard();
        return kErrWrite;
    }
    size_ = 0;
    return kErrNone;
}

int FileRewrite::append(const void* data, size_t length) {
    if (!temp_.isOpen() || !temp_.writeAt(size_, data, length)) return kErrWrite;
    size_ += static_cast<int64_t>(length);
    return kErrNone;
}

int FileRewrite::copy(const File& source, int64_t offset, int64_t length) {
    if (length < 0 || offset < 0) return kErrRead;
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(length, kCopyChunk)));
    while (length > 0) {
        const size_t part = static_cast<size_t>(std::min<int64_t>(length, kCopyChunk));
        if (!source.readExact(offset, buffer.data(), part)) return kErrRead;
        if (int code = append(buffer.data(), part)) return code;
        offset += static_cast<int64_t>(part);
        length -= static_cast<int64_t>(part);
    }
    return kErrNone;
}

int FileRewrite::patch(int64_t offset, const void* data, size_t length) {
    if (offset < 0 || offset + static_cast<int64_t>(length) > size_) return kErrWrite;
    return temp_.writeAt(offset, data, length) ? kErrNone : kErrWrite;
}

int FileRewrite::commit() {
    if (!temp_.isOpen()) return kErrWrite;
    struct stat original {};
    if (::stat(targetPath_.c_str(), &original) != 0) return kErrWrite;
    if (::fsync(temp_.fd()) != 0) return kErrWrite;
    if (::fchmod(temp_.fd(), original.st_mode & 07777) != 0) return kErrWrite;
    // Only the owner or root may rewrite someone else's file; a refused chown keeps ours.
    [[maybe_unused]] const int owned = ::fchown(temp_.fd(), original.st_uid, original.st_gid);
    temp_.close();
    if (std::rename(tempPath_.c_str(), targetPath_.c_str()) != 0) return kErrWrite;
    tempPath_.clear();
    syncFolder(folderOf(targetPath_));
    return kErrNone;
}

int replaceTail(const std::string& path, int64_t keep, const std::vector<uint8_t>& tail) {
    File source;
    if (!source.open(path, File::Mode::Read)) return kErrFileOpen;
    FileRewrite rewrite;
    if (int code = rewrite.begin(path)) return code;
    if (int code = rewrite.copy(source, 0, keep)) return code;
    if (int code = rewrite.append(tail)) return code;
    return rewrite.commit();
}

}  // namespace velk
