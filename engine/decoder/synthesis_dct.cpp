#include "decoder/synthesis_dct.h"

#include <cmath>

namespace velk {
namespace {

struct BuiltFactors : DctFactors {
    BuiltFactors() {
        for (int n = 2; n <= 32; n *= 2) {
            for (int k = 0; k < n / 2; ++k) {
                difference[n / 2 - 1 + k] =
                    static_cast<float>(0.5 / std::cos((2 * k + 1) * M_PI / (2 * n)));
            }
        }
    }
};

}  // namespace

const DctFactors& dctFactors() {
    static const BuiltFactors factors;
    return factors;
}

}  // namespace velk
