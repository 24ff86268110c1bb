// The archive reader over libarchive, for zip and lha alike.
#pragma once

#include "core/archive_reader.h"

namespace velk::app {

class LibArchiveReader : public ArchiveReader {
  public:
    bool VisitMp3Members(const std::string& archive,
                         const std::function<bool(const MemberSample&)>& visit) override;
    MemberStorage Storage(const std::string& archive, const std::string& member) override;
    bool Extract(const std::string& archive, const std::string& member, int fd) override;
};

// The archive library's own version text ("libarchive 3.6.2"), for the About box.
std::string ArchiveLibraryVersion();

}  // namespace velk::app
