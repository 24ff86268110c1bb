#include <cstdlib>
#include <cstring>
#include <string>

#include "output/alsa_sink.h"
#include "output/null_sink.h"

namespace velk {

std::unique_ptr<AudioSink> makeAudioSink() {
    const char* choice = std::getenv("VELKARO_AUDIO");
    if (choice == nullptr || std::strncmp(choice, "null", 4) != 0)
        return std::make_unique<AlsaSink>();
    int factor = 1;
    if (choice[4] == ':') factor = std::atoi(choice + 5);
    return std::make_unique<NullSink>(factor);
}

}  // namespace velk
