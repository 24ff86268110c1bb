// The process-wide playback engine: the open file, the decoder, the output device, the decode
// thread and the settings. The velk_ entry points are a thin layer over one instance.
#pragma once

#include "callback_channel.h"
#include "decoder/decoder.h"
#include "decoder/spectrum_data.h"
#include "open_file.h"
#include "output/acm.h"
#include "output/fade_gains.h"
#include "output/wave_out.h"
#include "playback.h"
#include "status_timer.h"
#include "tags/lyrics_state.h"
#include "tags/riff_info_list.h"
#include "tags/riff_layout.h"
#include "tuning.h"
#include "velk.h"

namespace velk {

class Engine {
  public:
    static Engine& instance();

    Engine();
    ~Engine();

    // Lifecycle and the open file.
    void init();
    void free();
    bool open(const char* fileName, InputInfo* info);
    bool close();

    void fillMpegInfo(MpegInfo& out);
    bool setDecodeOptions(const DecodeOptions& options);
    const DecodeOptions& decodeOptions() const { return decoder_.options(); }
    // Puts back every setting the entry points change, as a new process has them.
    void resetSettings();

    // The parts the entry points steer; each owns its own state.
    Playback& playback() { return playback_; }
    const OpenFile& file() const { return file_; }
    // The tag records read at open, which a tag write on the open file brings up to date.
    TagRecords& openFileTags() { return file_.tags; }
    Tuning& tuning() { return tuning_; }
    FadeGains& gains() { return gains_; }
    WaveOutDevice& device() { return device_; }
    CallbackChannel& callbacks() { return callbacks_; }
    StatusTimer& timer() { return timer_; }
    LyricsState& lyrics() { return lyrics_; }
    RiffSettings& riff() { return riff_; }
    // Only the user interface thread asks for visual data, so the analysers need no lock.
    SpectrumData& spectrum() { return spectrum_; }
    // The PCM to Layer III conversion runs on its own thread, independent of playback.
    Conversion& conversion() { return conversion_; }

  private:
    void closeFile();
    // The open's two kinds of stream: both fill `result`; analyseMpeg returns 0 or the engine
    // error that refuses the file.
    void describePcm(const AudioLayout& layout, InputInfo& result);
    int analyseMpeg(InputInfo& result);

    Decoder decoder_;
    WaveOutDevice device_;
    OpenFile file_;
    Tuning tuning_;
    FadeGains gains_;
    LyricsState lyrics_;
    RiffSettings riff_;
    SpectrumData spectrum_;
    Conversion conversion_;
    CallbackChannel callbacks_;
    StatusTimer timer_;
    // Last: it steers the parts above from its thread.
    Playback playback_{{decoder_, device_, file_, tuning_, gains_, callbacks_}};
};

}  // namespace velk
