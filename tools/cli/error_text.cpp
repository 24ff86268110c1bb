#include "cli/error_text.h"

#include <algorithm>
#include <iterator>

namespace velk::cli {
namespace {

struct ErrorPhrase {
    int code;
    const char* text;
};

// Each phrase says what the engine found, not what the user tried: a code is set by many entry
// points (a read that comes short is 3 whether the file is a directory or too small for audio).
constexpr ErrorPhrase kPhrases[] = {
    {0, "no error was recorded"},
    {1, "the file cannot be opened or created (or no name was given)"},
    {2, "no file is open"},
    {3, "a read failed or the file ends before the data it needs"},
    {4, "a write failed"},
    {5, "the output file cannot be created, or the conversion source cannot be opened"},
    {6, "the conversion source is not a PCM wave file the encoder can take"},
    {7, "a conversion source is already open, or none is open, or a conversion is running"},
    {8, "the lyrics text file cannot be opened"},
    {9, "no lyrics are loaded"},
    {10, "no MPEG frame sync was found where the audio should start"},
    {11, "the first frame's header or stream information is invalid"},
    {12, "nothing is playing"},
    {13, "not possible while playing or paused"},
    {14, "pause asked while not playing"},
    {15, "no conversion is running"},
    {18, "an argument is out of range"},
    {19, "memory cannot be allocated"},
    {20, "the RIFF container conversion failed (or the file is not a usable RIFF file)"},
    {23, "the file starts with a MacBinary header, which has to be removed first"},
    {24, "a RIFF file of a kind the engine cannot play"},
    {25, "the sound device cannot be opened"},
    {26, "the decoder cannot start on the first frame"},
    {27, "the decode thread cannot be started"},
    {28, "the conversion thread cannot be started"},
    {29, "a synchronisation object cannot be created"},
    {30, "the MPEG Layer-3 encoder (libmp3lame) is not installed"},
    {31, "the encoder offers no MPEG Layer-3 format for this source"},
    {32, "the conversion stream cannot be opened"},
};

}  // namespace

const char* engineErrorText(int code) {
    const auto* found = std::find_if(std::begin(kPhrases), std::end(kPhrases),
                                     [code](const ErrorPhrase& p) { return p.code == code; });
    return found != std::end(kPhrases) ? found->text : "an error the engine does not describe";
}

}  // namespace velk::cli
