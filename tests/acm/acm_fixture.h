// A started engine, a temporary folder for sources and outputs, and helpers that run one
// conversion to its end.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "acm/wave_builder.h"
#include "support/temp_dir.h"

namespace velk::test {

class AcmTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string writeSource(const std::string& name, const Bytes& bytes);
    // Polls the status until the conversion thread has ended.
    static void waitForEnd();
    // Opens `source`, encodes it into `output` and waits; false when open or encode fails.
    bool convert(const std::string& source, const std::string& output);

    TempDir dir;
};

}  // namespace velk::test
