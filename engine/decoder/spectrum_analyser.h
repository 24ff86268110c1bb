// A 512-point spectrum analyser with one window shape: windowed samples through a radix-2
// complex FFT in double precision, bins as decibels relative to the transform's scale.
#pragma once

#include <complex>
#include <cstdint>

namespace velk {

class SpectrumAnalyser {
  public:
    static constexpr int kPoints = 512;
    static constexpr int kBins = kPoints / 2;
    // The value of a bin whose magnitude is zero (or below 10^-30 of the scale): the bottom of
    // the range, low enough to sit below every real bin, far enough from the integer limits
    // that a display can subtract from it safely.
    static constexpr int32_t kSilentBin = -600;

    enum Shape { kRectangular = 0, kHann = 1, kHamming = 2, kBlackman = 3 };

    explicit SpectrumAnalyser(Shape shape);

    // `samples` holds kPoints values; writes kBins values of truncate(20 log10(|X[k]| /
    // sqrt(512))).
    void analyse(const double* samples, int32_t* bins);

    const double* window() const { return window_; }

  private:
    void transform();

    double window_[kPoints];
    uint16_t bitReversed_[kPoints];
    // Per stage of span 2, 4, ..., 512: cos and -sin of 2 pi k / span for k below span / 2.
    std::complex<double> twiddles_[kPoints - 1];
    std::complex<double> work_[kPoints];
};

}  // namespace velk
