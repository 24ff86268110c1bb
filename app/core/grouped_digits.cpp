#include "core/grouped_digits.h"

namespace velk::app {

std::string GroupThousands(int64_t value) {
    const bool negative = value < 0;
    // Unsigned, so that the most negative value has a magnitude too.
    const std::string digits =
        std::to_string(negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return negative ? "-" + grouped : grouped;
}

}  // namespace velk::app
