// Stored (-lh0-) lha archives for tests, with level 0 or level 2 headers: nothing on the
// system writes lha, and the reader must be tried on both header kinds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velk::test {

struct LhaMember {
    std::string name;  // bytes as stored (Shift-JIS for Japanese names)
    std::vector<uint8_t> data;
};

std::vector<uint8_t> storedLha(const std::vector<LhaMember>& members, int level);

}  // namespace velk::test
