// Temporary: replaced by the Layer III decoder. Produces silence.
#include <cstring>

#include "decoder/layer_decoder.h"

namespace velk {
namespace {
class PendingLayer3 final : public LayerDecoder {
public:
    void setup(const StreamSetup& s) override { size_ = s.outputSize; }
    void decodeFrame(const FrameHeader&, const uint8_t*, size_t, uint8_t* out) override {
        std::memset(out, 0, static_cast<size_t>(size_));
    }

private:
    int size_ = 0;
};
}  // namespace
std::unique_ptr<LayerDecoder> makeLayer3Decoder(Synthesis&) {
    return std::make_unique<PendingLayer3>();
}
}  // namespace velk
