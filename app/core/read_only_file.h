// Whether the user marked a file so that it stays as it is.
#pragma once

#include <string>

namespace velk::app {

// A file nobody may write counts as read-only even for the superuser, whose writes the system
// would let through. A file that cannot be examined counts as read-only too.
bool IsReadOnlyFile(const std::string& path);

}  // namespace velk::app
