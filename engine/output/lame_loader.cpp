#include "output/lame_loader.h"

#include <dlfcn.h>

#include <mutex>

namespace velk {
namespace {

std::mutex& nameMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& libraryName() {
    static std::string name = LameLibrary::kDefaultName;
    return name;
}

template <typename Function>
bool resolve(void* handle, const char* symbol, Function& out) {
    out = reinterpret_cast<Function>(dlsym(handle, symbol));
    return out != nullptr;
}

}  // namespace

std::string lameLibraryName() {
    std::lock_guard lock(nameMutex());
    return libraryName();
}

void setLameLibraryName(const std::string& name) {
    std::lock_guard lock(nameMutex());
    libraryName() = name;
}

LameLibrary::~LameLibrary() {
    if (handle_) dlclose(handle_);
}

bool LameLibrary::load() {
    if (handle_) return true;
    void* handle = dlopen(lameLibraryName().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return false;
    const bool complete = resolve(handle, "lame_init", init) &&
                          resolve(handle, "lame_set_num_channels", setNumChannels) &&
                          resolve(handle, "lame_set_in_samplerate", setInSampleRate) &&
                          resolve(handle, "lame_set_out_samplerate", setOutSampleRate) &&
                          resolve(handle, "lame_get_out_samplerate", getOutSampleRate) &&
                          resolve(handle, "lame_set_brate", setBitRate) &&
                          resolve(handle, "lame_set_bWriteVbrTag", setWriteVbrTag) &&
                          resolve(handle, "lame_set_errorf", setErrorReport) &&
                          resolve(handle, "lame_set_msgf", setMessageReport) &&
                          resolve(handle, "lame_set_debugf", setDebugReport) &&
                          resolve(handle, "lame_init_params", initParams) &&
                          resolve(handle, "lame_encode_buffer", encodeBuffer) &&
                          resolve(handle, "lame_encode_flush", encodeFlush) &&
                          resolve(handle, "lame_close", close);
    if (!complete) {
        dlclose(handle);
        return false;
    }
    handle_ = handle;
    return true;
}

}  // namespace velk
