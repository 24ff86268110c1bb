#include "core/libarchive_reader.h"

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "core/text_codec.h"
#include "decoder/frame_header.h"
#include "tags/id3v2.h"

namespace velk::app {

namespace {

constexpr size_t kReadBlock = 64 * 1024;
constexpr size_t kTailBytes = 128;
// Enough audio after any leading tag to find the first frame and its Xing header.
constexpr size_t kAudioHeadBytes = 4096;
// A leading ID3v2 tag is kept whole up to this size (titles are read from it).
constexpr size_t kTagHeadCap = 1024 * 1024;
// Room left on the disk beyond the member itself.
constexpr uint64_t kFreeSpaceMargin = 16 * 1024 * 1024;

// Member names are handed to us in UTF-8 whatever the process locale is: libarchive converts
// names to the calling thread's locale, and zip names without the UTF-8 flag and lha names
// are read as code page 932.
class Utf8NamesScope {
  public:
    Utf8NamesScope() {
        static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
        if (utf8) previous_ = uselocale(utf8);
    }
    ~Utf8NamesScope() {
        if (previous_) uselocale(previous_);
    }
    Utf8NamesScope(const Utf8NamesScope&) = delete;
    Utf8NamesScope& operator=(const Utf8NamesScope&) = delete;

  private:
    locale_t previous_{};
};

class OpenArchive {
  public:
    explicit OpenArchive(const std::string& path) : archive_(archive_read_new()) {
        if (!archive_) return;
        archive_read_support_format_zip(archive_);
        archive_read_support_format_lha(archive_);
        archive_read_set_options(archive_, "hdrcharset=CP932");
        if (archive_read_open_filename(archive_, path.c_str(), kReadBlock) != ARCHIVE_OK) {
            archive_read_free(archive_);
            archive_ = nullptr;
        }
    }
    ~OpenArchive() {
        if (archive_) archive_read_free(archive_);
    }
    OpenArchive(const OpenArchive&) = delete;
    OpenArchive& operator=(const OpenArchive&) = delete;

    bool IsOpen() const { return archive_ != nullptr; }
    archive* Get() const { return archive_; }

    // The next entry, or nullptr at the end or at damage that stops the walk.
    archive_entry* Next() {
        archive_entry* entry = nullptr;
        const int result = archive_read_next_header(archive_, &entry);
        return result == ARCHIVE_OK || result == ARCHIVE_WARN ? entry : nullptr;
    }

    // Finds a member by its UTF-8 name; its data is then the next to be read.
    archive_entry* Find(const std::string& member) {
        while (archive_entry* entry = Next()) {
            if (NameOf(entry) == member) return entry;
        }
        return nullptr;
    }

    static std::string NameOf(archive_entry* entry) {
        const char* name = archive_entry_pathname(entry);
        return name ? TagTextToUtf8(name) : std::string();
    }

  private:
    Utf8NamesScope names_;
    archive* archive_;
};

bool IsMp3Member(archive_entry* entry, const std::string& name) {
    if (archive_entry_filetype(entry) != AE_IFREG || name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".mp3";
}

bool DeclaredOverCap(archive_entry* entry) {
    return archive_entry_size_is_set(entry) &&
           static_cast<uint64_t>(archive_entry_size(entry)) > kMemberByteCap;
}

// Reads the member's data block by block into `consume`; false at damage, at the cap, or when
// `consume` refuses. The count of bytes read is left in `total`.
template <typename Consume>
bool ReadMemberData(archive* a, uint64_t& total, Consume consume) {
    total = 0;
    while (true) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int result = archive_read_data_block(a, &block, &size, &offset);
        if (result == ARCHIVE_EOF) return true;
        if (result != ARCHIVE_OK && result != ARCHIVE_WARN) return false;
        // Sparse entries name an offset; a hole would be zeros, which no mp3 member has.
        if (offset < 0 || static_cast<uint64_t>(offset) != total) return false;
        if (size > kMemberByteCap - total) return false;
        if (!consume(static_cast<const uint8_t*>(block), size)) return false;
        total += size;
    }
}

class SampleCollector {
  public:
    explicit SampleCollector(MemberSample& sample) : sample_(sample) {}

    bool operator()(const uint8_t* bytes, size_t size) {
        KeepHead(bytes, size);
        KeepTail(bytes, size);
        return true;
    }

  private:
    void KeepHead(const uint8_t* bytes, size_t size) {
        auto& head = sample_.head;
        while (size > 0 && head.size() < headLimit_) {
            const size_t take = std::min(size, headLimit_ - head.size());
            head.insert(head.end(), bytes, bytes + take);
            bytes += take;
            size -= take;
            if (!limitSet_ && head.size() >= kId3v2HeaderSize) {
                limitSet_ = true;
                const auto tag =
                    static_cast<uint64_t>(std::max<int64_t>(id3v2Length(head.data()), 0));
                headLimit_ =
                    static_cast<size_t>(std::min<uint64_t>(tag, kTagHeadCap)) + kAudioHeadBytes;
            }
        }
    }

    void KeepTail(const uint8_t* bytes, size_t size) {
        auto& tail = sample_.tail;
        if (size >= kTailBytes) {
            tail.assign(bytes + size - kTailBytes, bytes + size);
            return;
        }
        tail.insert(tail.end(), bytes, bytes + size);
        if (tail.size() > kTailBytes) tail.erase(tail.begin(), tail.end() - kTailBytes);
    }

    MemberSample& sample_;
    size_t headLimit_ = kId3v2HeaderSize;
    bool limitSet_ = false;
};

// libarchive names the method of the entry just read in its format name.
bool IsStored(archive* a, archive_entry* entry) {
    if (archive_entry_is_data_encrypted(entry)) return false;
    const std::string format = archive_format_name(a);
    return format.find("uncompressed") != std::string::npos || format.ends_with("-lh0-") ||
           format.ends_with("-lz4-");
}

// The engine finds the first frame of the archive file near its start and steps from frame to
// frame: a leading tag (its pictures hold frame-like bytes) would play as noise.
bool StartsWithFrame(archive* a) {
    uint8_t first[4];
    return archive_read_data(a, first, sizeof first) == sizeof first && isFrameSync(first);
}

bool HasRoomFor(int fd, archive_entry* entry) {
    struct statvfs disk {};
    if (fstatvfs(fd, &disk) != 0) return true;  // nothing to go by: the writes will tell
    const uint64_t free = static_cast<uint64_t>(disk.f_bavail) * disk.f_frsize;
    const uint64_t need =
        (archive_entry_size_is_set(entry) ? static_cast<uint64_t>(archive_entry_size(entry)) : 0) +
        kFreeSpaceMargin;
    return free >= need;
}

bool WriteAll(int fd, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written <= 0) return false;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

bool LibArchiveReader::VisitMp3Members(const std::string& path,
                                       const std::function<bool(const MemberSample&)>& visit) {
    OpenArchive archive(path);
    if (!archive.IsOpen()) return false;
    bool readSomething = false;
    while (archive_entry* entry = archive.Next()) {
        readSomething = true;
        MemberSample sample;
        sample.name = OpenArchive::NameOf(entry);
        if (!IsMp3Member(entry, sample.name)) continue;
        bool damaged = false;
        if (!DeclaredOverCap(entry) && !archive_entry_is_data_encrypted(entry)) {
            sample.complete = ReadMemberData(archive.Get(), sample.size, SampleCollector(sample));
            damaged = !sample.complete;
        }
        if (!visit(sample) || damaged) break;
    }
    // An archive whose very first entry cannot be read is taken for no archive at all, unless
    // it is an empty one that ended cleanly.
    return readSomething || archive_errno(archive.Get()) == 0;
}

MemberStorage LibArchiveReader::Storage(const std::string& path, const std::string& member) {
    OpenArchive archive(path);
    if (!archive.IsOpen()) return MemberStorage::kMissing;
    bool onlyAudioBefore = true;
    while (archive_entry* entry = archive.Next()) {
        const std::string name = OpenArchive::NameOf(entry);
        const bool storedAudio = IsMp3Member(entry, name) && IsStored(archive.Get(), entry) &&
                                 StartsWithFrame(archive.Get());
        if (name == member) {
            return onlyAudioBefore && storedAudio ? MemberStorage::kInArchiveStream
                                                  : MemberStorage::kNeedsCopy;
        }
        // Folders carry no data; anything else with bytes breaks the stream of audio.
        if (archive_entry_filetype(entry) != AE_IFDIR && !storedAudio) onlyAudioBefore = false;
    }
    return MemberStorage::kMissing;
}

bool LibArchiveReader::Extract(const std::string& path, const std::string& member, int fd) {
    OpenArchive archive(path);
    if (!archive.IsOpen()) return false;
    archive_entry* entry = archive.Find(member);
    if (!entry || DeclaredOverCap(entry) || !HasRoomFor(fd, entry)) return false;
    uint64_t total = 0;
    return ReadMemberData(archive.Get(), total, [fd](const uint8_t* bytes, size_t size) {
        return WriteAll(fd, bytes, size);
    });
}

std::string ArchiveLibraryVersion() {
    return archive_version_string();
}

}  // namespace velk::app
