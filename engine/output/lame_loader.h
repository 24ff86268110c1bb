// LAME, the MPEG Layer-3 encoder, loaded at run time so that the engine runs (and plays) on a
// system without it; only the conversion needs it.
#pragma once

#include <lame/lame.h>

#include <string>

namespace velk {

class LameLibrary {
  public:
    static constexpr const char* kDefaultName = "libmp3lame.so.0";

    LameLibrary() = default;
    LameLibrary(const LameLibrary&) = delete;
    LameLibrary& operator=(const LameLibrary&) = delete;
    ~LameLibrary();

    // Loads the library named by lameLibraryName() and resolves every entry used; false when
    // the library is missing or lacks one of them.
    bool load();
    bool loaded() const { return handle_ != nullptr; }

    decltype(&::lame_init) init = nullptr;
    decltype(&::lame_set_num_channels) setNumChannels = nullptr;
    decltype(&::lame_set_in_samplerate) setInSampleRate = nullptr;
    decltype(&::lame_set_out_samplerate) setOutSampleRate = nullptr;
    decltype(&::lame_get_out_samplerate) getOutSampleRate = nullptr;
    decltype(&::lame_set_brate) setBitRate = nullptr;
    decltype(&::lame_set_bWriteVbrTag) setWriteVbrTag = nullptr;
    decltype(&::lame_set_errorf) setErrorReport = nullptr;
    decltype(&::lame_set_msgf) setMessageReport = nullptr;
    decltype(&::lame_set_debugf) setDebugReport = nullptr;
    decltype(&::lame_init_params) initParams = nullptr;
    decltype(&::lame_encode_buffer) encodeBuffer = nullptr;
    decltype(&::lame_encode_flush) encodeFlush = nullptr;
    decltype(&::lame_close) close = nullptr;

  private:
    void* handle_ = nullptr;
};

// The name handed to dlopen; tests point it at a library that does not exist.
std::string lameLibraryName();
void setLameLibraryName(const std::string& name);

}  // namespace velk
