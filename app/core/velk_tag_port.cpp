#include "core/velk_tag_port.h"

#include "core/read_only_file.h"

namespace velk::app {

bool VelkTagPort::Read(const std::string& path, Id3Tag& tag) {
    return velk_getFileTag(path.c_str(), &tag) != 0;
}

bool VelkTagPort::Write(const std::string& path, const Id3Tag& tag, bool openInPlayer) {
    if (IsReadOnlyFile(path)) return false;
    return velk_writeTag(path.c_str(), &tag, openInPlayer ? 1 : 0, 1) != 0;
}

}  // namespace velk::app
