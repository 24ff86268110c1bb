#include "decoder/synthesis_dct.h"

#include <cmath>

namespace velk {
namespace {

struct BuiltMatrices : DctMatrices {
    BuiltMatrices() {
        for (int k = 0; k < 16; ++k) {
            for (int m = 0; m < 16; ++m) {
                odd32[k][m] = static_cast<float>(std::cos((2 * k + 1) * (2 * m + 1) * M_PI / 64));
            }
        }
        for (int k = 0; k < 8; ++k) {
            for (int m = 0; m < 8; ++m) {
                odd16[k][m] = static_cast<float>(std::cos((2 * k + 1) * (2 * m + 1) * M_PI / 32));
                full8[k][m] = static_cast<float>(std::cos((2 * k + 1) * m * M_PI / 16));
            }
        }
    }
};

}  // namespace

const DctMatrices& dctMatrices() {
    static const BuiltMatrices matrices;
    return matrices;
}

}  // namespace velk
