// The FileTypeFlags of a file by name: container, prefixes and trailing tags.
#pragma once

#include <string>

namespace velk {

// The flags, or -1 when the file cannot be opened or read, or is a RIFF file of no usable kind.
int fileTypeFlags(const std::string& path);

}  // namespace velk
