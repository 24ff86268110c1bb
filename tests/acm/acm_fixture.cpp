#include "acm/acm_fixture.h"

#include <chrono>
#include <thread>

#include "output/lame_loader.h"
#include "velk.h"

namespace velk::test {

void AcmTest::SetUp() {
    velk_init();
}

void AcmTest::TearDown() {
    velk_free();
    velk_acmSetBitrate(0);
    setLameLibraryName(LameLibrary::kDefaultName);
}

std::string AcmTest::writeSource(const std::string& name, const Bytes& bytes) {
    const std::string path = dir.file(name);
    writeFileBytes(path, bytes);
    return path;
}

void AcmTest::waitForEnd() {
    while (velk_acmGetStatus(nullptr, nullptr)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

bool AcmTest::convert(const std::string& source, const std::string& output) {
    int32_t info[4] = {};
    if (!velk_acmOpen(source.c_str(), info) || !velk_acmEncode(output.c_str())) return false;
    waitForEnd();
    return true;
}

}  // namespace velk::test
