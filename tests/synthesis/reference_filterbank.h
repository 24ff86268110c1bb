// The filterbank computed the slow way the standard describes it (a 1024-value V vector,
// matrixing by cosines, windowing), in double precision, as the yardstick for the fast one.
#pragma once

#include <vector>

namespace velk::test {

class ReferenceFilterbank {
  public:
    ReferenceFilterbank();
    // One slot of 32 subband samples; returns the 32 output sums, unrounded.
    std::vector<double> slot(const float* subbands);

  private:
    std::vector<double> v_;
};

// The N-point DCT-II by its definition.
std::vector<double> directDct(const float* in, int n);

}  // namespace velk::test
