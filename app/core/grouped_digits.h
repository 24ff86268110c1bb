// Numbers written the way the lists and dialogs show sizes: "," between groups of three digits.
#pragma once

#include <cstdint>
#include <string>

namespace velk::app {

// Digits of `value` with "," between groups of three.
std::string GroupThousands(int64_t value);

}  // namespace velk::app
