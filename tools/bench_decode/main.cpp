// velk-bench-decode: decodes an MPEG audio file the way the engine's decode thread does and
// reports how fast, optionally keeping the PCM.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "arguments.h"
#include "decoder/decoder.h"
#include "file.h"
#include "stream_scan.h"
#include "tags/riff_layout.h"

namespace {

using velk::Decoder;

struct Stream {
    std::vector<uint8_t> data;  // from the first frame to the end of the audio
    velk::StreamInfo info;
};

// Locates the first frame as the engine's open does and reads the audio that follows it.
bool loadStream(const std::string& path, Decoder& decoder, Stream& out) {
    velk::File file;
    if (!file.open(path, velk::File::Mode::Read)) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return false;
    }
    velk::AudioLayout layout;
    if (velk::layoutForOpen(file, file.size(), layout) != 0 || layout.pcm) {
        std::fprintf(stderr, "%s holds no MPEG audio\n", path.c_str());
        return false;
    }
    int64_t start = layout.dataStart;
    if (start == 0) {
        uint8_t first[128];
        if (file.readExact(0, first, sizeof first) && velk::hasMacBinaryHeader(first)) start = 128;
    }
    const int64_t end = layout.dataStart + layout.dataSize;
    if (const int code =
            velk::locateFirstFrame(file, decoder, start, end, velk::kSyncWindow, out.info)) {
        std::fprintf(stderr, "no playable first frame (engine error %d)\n", code);
        return false;
    }
    if (end <= start) return false;
    out.data.resize(static_cast<size_t>(end - start));
    return file.readExact(start, out.data.data(), out.data.size());
}

struct DecodeTotals {
    int64_t frames = 0;
    int64_t pcmBytes = 0;
};

// Frame after frame; a frame that fails for its header is stepped over by searching the next
// sync one byte on, and the end comes when the rest is shorter than a frame.
DecodeTotals decodeAll(Decoder& decoder, const Stream& stream, std::FILE* pcm) {
    DecodeTotals totals;
    const size_t length = stream.data.size();
    size_t position = static_cast<size_t>(stream.info.skipSize);
    std::vector<uint8_t> output(static_cast<size_t>(stream.info.outputSize));
    const uint8_t silence = stream.info.bitsPerSample == 8 ? 0x80 : 0;
    while (position < length) {
        velk::FrameDecodeRequest request;
        request.inputBuf = stream.data.data() + position;
        request.inputSize = static_cast<int32_t>(std::min<size_t>(length - position, 1 << 30));
        request.outputBuf = output.data();
        std::memset(output.data(), silence, output.size());
        if (decoder.decodeFrame(request)) {
            position += static_cast<size_t>(request.inputSize);
            ++totals.frames;
            totals.pcmBytes += request.outputSize;
            if (pcm) std::fwrite(output.data(), 1, static_cast<size_t>(request.outputSize), pcm);
            continue;
        }
        if (decoder.error() == velk::kDecShortInput) break;
        size_t offset = 0;
        ++position;
        if (!decoder.findFrameSync(stream.data.data() + position, length - position, offset)) {
            break;
        }
        position += offset;
    }
    return totals;
}

}  // namespace

int main(int argc, char** argv) {
    velk::bench::Arguments args;
    if (!velk::bench::parseArguments(argc, argv, args)) return 2;
    Decoder decoder;
    decoder.setOptions(args.options);
    Stream stream;
    if (!loadStream(args.input, decoder, stream)) return 1;
    if (!decoder.decodeInit(stream.data.data(), stream.data.size())) {
        std::fprintf(stderr, "decodeInit failed (decoder error %d)\n", decoder.error());
        return 1;
    }
    std::FILE* pcm = nullptr;
    if (!args.pcmOutput.empty() && !(pcm = std::fopen(args.pcmOutput.c_str(), "wb"))) {
        std::fprintf(stderr, "cannot write %s\n", args.pcmOutput.c_str());
        return 1;
    }
    const auto begin = std::chrono::steady_clock::now();
    const DecodeTotals totals = decodeAll(decoder, stream, pcm);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (pcm) std::fclose(pcm);

    const velk::StreamInfo& info = stream.info;
    const double bytesPerSecond =
        static_cast<double>(info.frequency) * info.channels * (info.bitsPerSample / 8);
    const double audio =
        bytesPerSecond > 0 ? static_cast<double>(totals.pcmBytes) / bytesPerSecond : 0;
    std::printf("frames %lld\nwall %.3f s\naudio %.3f s\nrealtime %.1fx\n",
                static_cast<long long>(totals.frames), wall, audio, wall > 0 ? audio / wall : 0.0);
    return 0;
}
