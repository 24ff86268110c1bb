/* Velkaro playback engine: the flat C interface.
 *
 * One engine per process; no handles. Results are 1 on success and 0 on failure with the
 * last-error code kept for velk_getLastErrorNo() unless a declaration says otherwise. Texts are
 * NUL-terminated byte strings exactly as stored in files (Shift-JIS); paths are UTF-8.
 * Entry points are listed in their slot order. */
#ifndef VELK_H
#define VELK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Records ---------------------------------------------------------------------------- */

#pragma pack(push, 4)

typedef struct InputInfo {
    char songName[128];
    char artist[128];
    int32_t channels;
    int32_t bitRate; /* kbit/s; bits per sample for PCM */
    int32_t frequency;
    int32_t playTime; /* whole seconds */
} InputInfo;

/* The seventeen-word form. */
typedef struct MpegInfo {
    int32_t version;
    int32_t layer;
    int32_t protectionBit;
    int32_t modeExtension;
    int32_t mode;
    int32_t rightsFlag;
    int32_t homeFlag;
    int32_t emphasis;
    int32_t channels;
    int32_t bitRate;
    int32_t frequency;
    int32_t reserved;
    int64_t fileSize;
    int64_t frames;
    int32_t playTime;
} MpegInfo;

/* The fourteen-word form: 32-bit file size and frame count. */
typedef struct MpegInfo14 {
    int32_t version;
    int32_t layer;
    int32_t protectionBit;
    int32_t modeExtension;
    int32_t mode;
    int32_t rightsFlag;
    int32_t homeFlag;
    int32_t emphasis;
    int32_t channels;
    int32_t bitRate;
    int32_t frequency;
    int32_t fileSize;
    int32_t frames;
    int32_t playTime;
} MpegInfo14;

/* The double form (68 bytes). */
typedef struct MpegInfoDouble {
    int32_t version;
    int32_t layer;
    int32_t protectionBit;
    int32_t modeExtension;
    int32_t mode;
    int32_t rightsFlag;
    int32_t homeFlag;
    int32_t emphasis;
    int32_t channels;
    int32_t bitRate;
    int32_t frequency;
    int32_t reserved;
    double fileSize;
    double frames;
    int32_t playTime;
} MpegInfoDouble;

/* Dates are year*10000+month*100+day, times hour*10000+minute*100+second, local time. */
typedef struct FileTimes {
    int64_t fileSize;
    int32_t creationDate, creationTime;
    int32_t accessDate, accessTime;
    int32_t writeDate, writeTime;
} FileTimes;

typedef struct FileTimes7 {
    int32_t fileSize;
    int32_t creationDate, creationTime;
    int32_t accessDate, accessTime;
    int32_t writeDate, writeTime;
} FileTimes7;

typedef struct FileTimesDouble {
    double fileSize;
    int32_t creationDate, creationTime;
    int32_t accessDate, accessTime;
    int32_t writeDate, writeTime;
} FileTimesDouble;

typedef struct BlockInfo {
    int32_t inputBlock;
    int32_t outputBlock;
    int32_t inputSleep;
    int32_t outputSleep;
} BlockInfo;

typedef struct DecodeOptions {
    int32_t reduction; /* 0, 1, 2: output rate divided by 1, 2, 4 */
    int32_t convert;   /* bits 0-1: stereo to mono; bit 3: 8-bit samples */
    int32_t freqLimit; /* Hz */
} DecodeOptions;

typedef struct Id3Tag {
    char title[128];
    char artist[128];
    char album[128];
    char year[5];
    char comment[131];
    uint32_t genre;
    char genreName[128];
} Id3Tag;

typedef struct Id3TagEx {
    char title[128];
    char artist[128];
    char album[128];
    char year[5];
    char comment[131];
    uint32_t genre;
    char genreName[128];
    int32_t track; /* ID3v1.1 track, -1 when absent */
} Id3TagEx;

/* RIFF INFO fields; the slot order of each record is given by the enums. */
enum {
    VELK_RIFF_INAM,
    VELK_RIFF_IART,
    VELK_RIFF_IPRD,
    VELK_RIFF_ICMT,
    VELK_RIFF_ICRD,
    VELK_RIFF_IGNR,
    VELK_RIFF_ICOP,
    VELK_RIFF_IENG,
    VELK_RIFF_ISRC,
    VELK_RIFF_ISFT,
    VELK_RIFF_IKEY,
    VELK_RIFF_ITCH,
    VELK_RIFF_ILYC,
    VELK_RIFF_ICMS,
    VELK_RIFF_SHORT_COUNT
};
enum {
    VELK_RIFFX_INAM,
    VELK_RIFFX_IART,
    VELK_RIFFX_IPRD,
    VELK_RIFFX_ICMT,
    VELK_RIFFX_ICRD,
    VELK_RIFFX_IGNR,
    VELK_RIFFX_ICOP,
    VELK_RIFFX_IENG,
    VELK_RIFFX_ISRC,
    VELK_RIFFX_ISFT,
    VELK_RIFFX_IKEY,
    VELK_RIFFX_ITCH,
    VELK_RIFFX_ICMS,
    VELK_RIFFX_IMED,
    VELK_RIFFX_ISBJ,
    VELK_RIFFX_IMP3,
    VELK_RIFFX_ILYC,
    VELK_RIFFX_COUNT
};

typedef struct RiffInfoTag {
    char field[VELK_RIFF_SHORT_COUNT][128];
} RiffInfoTag;

typedef struct RiffInfoTagEx {
    char field[VELK_RIFFX_COUNT][2048];
} RiffInfoTagEx;

typedef struct RiffInfoTag512 {
    char field[VELK_RIFFX_COUNT][512];
} RiffInfoTag512;

typedef struct RiffInfoTagRefs {
    const char* field[VELK_RIFFX_COUNT]; /* a null pointer is an empty field */
} RiffInfoTagRefs;

/* FileTypeFlags bits (velk_getFileType). */
enum {
    VELK_TYPE_RIFF_WAVE = 1,
    VELK_TYPE_RIFF_RMP3 = 2,
    VELK_TYPE_ID3V2 = 4,
    VELK_TYPE_MACBINARY = 8,
    VELK_TYPE_ID3V1 = 16,
    VELK_TYPE_LYRICS3 = 32,
    VELK_TYPE_PCM_WAVE = 64
};

#pragma pack(pop)

typedef struct Lyrics3Tag {
    char ind[2];
    char lyr[60000];
    char inf[60000];
    char aut[250];
    char eal[250];
    char ear[250];
    char ett[250];
    char img[60000];
} Lyrics3Tag;

typedef struct Lyrics3Info {
    char ind[2];
    char aut[250];
    char eal[250];
    char ear[250];
    char ett[250];
} Lyrics3Info;

typedef struct LyricsHeader {
    uint32_t present;
    uint32_t timeType; /* 0 WinAmp, 1 Normal, 2 ratio */
    char artist[1024];
    uint32_t artistLine;
    char title[1024];
    uint32_t titleLine;
    char album[1024];
    uint32_t albumLine;
    char bgFile[1024];
    uint32_t bgFileLine;
    char bgFolder[1024];
    uint32_t bgFolderLine;
    double timeRatio;
    uint32_t timeRatioLine;
    int32_t offset;
    uint32_t offsetLine;
    int32_t silenceMSec;
    uint32_t silenceMSecLine;
    char taggingBy[1024];
    uint32_t taggingByLine;
    char editedBy[1024];
    uint32_t editedByLine;
    int32_t silence;
    uint32_t silenceLine;
    int32_t flames;
    uint32_t flamesLine;
    int32_t totalSec;
    uint32_t totalSecLine;
    char timeTypeText[1024];
    uint32_t timeTypeTextLine;
} LyricsHeader;

typedef struct LyricsEntry {
    int32_t time; /* ms */
    uint32_t line;
    uint32_t segment;
    uint32_t timed;
    uint32_t length;
    char text[128];
    uint32_t isHeader;
} LyricsEntry;

typedef struct LyricsView {
    int32_t time;
    uint32_t line;
    uint32_t segment;
    uint32_t untilNext;
    char nextNext[128];
    char next[128];
    char segmentText[128];
    char sungBefore[128];
    char sungThrough[128];
    char current[128];
    char previous[128];
    char previousPrevious[128];
} LyricsView;

/* The 644-byte record of velk_getCurrentLyricsText: lines -2..+2 around the current row. */
typedef struct LyricsText {
    char previousPrevious[128];
    char previous[128];
    char current[128];
    char next[128];
    char nextNext[128];
    uint32_t untilNext;
} LyricsText;

/* Codes passed to the callback. */
enum {
    VELK_CB_FRAME_ERROR = 0,
    VELK_CB_STOPPED = 1,
    VELK_CB_POSITION = 2, /* play second changed, or playback resumed */
    VELK_CB_PAUSED = 3,
    VELK_CB_END_OF_SONG = 4,
};

/* Play states returned by velk_getState and passed to the timer procedure. */
enum {
    VELK_STATE_STOPPED = 0,
    VELK_STATE_PLAYING = 1,
    VELK_STATE_PAUSED = 2,
};

/* code: one of VELK_CB_*. Called on the decode thread; the result is ignored. */
typedef int (*VelkCallback)(int32_t code, int32_t value);
/* state, bit rate in kbit/s, position in seconds, 0. */
typedef void (*VelkTimerProc)(int32_t state, int32_t bitRate, int32_t seconds, int32_t reserved);
/* Called once per lyrics row by velk_enumLyricsLines. */
typedef void (*VelkLyricsLineProc)(const LyricsEntry* entry);
/* Shows the engine's message (caption, text) and returns when the user has seen it. */
typedef void (*VelkMessageHook)(const char* caption, const char* text);

/* ---- Entry points, in slot order -------------------------------------------------------- */

int velk_init(void);
int velk_free(void);
int velk_open(const char* fileName, InputInfo* info);
int velk_close(void);
int velk_play(void);
int velk_stop(void);
int velk_pause(void);
int velk_restart(void);
int velk_seek(int32_t seconds);
int velk_seekFrame(int32_t frame);
int velk_seekFrame2(int32_t frame);
int velk_seekFrameI64(int64_t frame);
int velk_seekFrameDouble(double frame);
int velk_seekSample(int32_t sample);
int velk_seekSampleI64(int64_t sample);
int velk_seekSampleDouble(double sample);
int velk_replay(void);
int velk_getVersion(void);
int velk_setBlockInfo(const BlockInfo* info);
void velk_getBlockInfo(BlockInfo* info);
int velk_setDecodeOption(const DecodeOptions* options);
DecodeOptions* velk_getDecodeOption(DecodeOptions* options);
void velk_setWaveOutDevice(int32_t deviceId);
int velk_getState(int32_t* seconds);
int64_t velk_getPlayFrame(void);
int64_t velk_getPlayFrame2(void);
int64_t velk_getPlayFrameI64(void);
double velk_getPlayFrameDouble(void);
int64_t velk_getPlaySample(void);
int64_t velk_getPlaySampleI64(void);
double velk_getPlaySampleDouble(void);
int64_t velk_getTotalSample(void);
int64_t velk_getTotalSampleI64(void);
double velk_getTotalSampleDouble(void);
int64_t velk_getPlayMilliSec(void);
int64_t velk_getPlayMilliSecI64(void);
double velk_getPlayMilliSecDouble(void);
int velk_getFramePlayTime(void);
int velk_getBitrate(void);
int velk_getFileType(const char* fileName);
int velk_getVolumeCaps(void);
int velk_getSilentFrameCount(const char* fileName);
int velk_getMpegInfo(MpegInfo14* info);
int velk_getMpegInfoEx(MpegInfo* info);
int velk_getMpegInfoDouble(MpegInfoDouble* info);
int velk_getFileInfo(const char* fileName, Id3Tag* tag, MpegInfo14* info);
int velk_getFileInfoEx(const char* fileName, Id3Tag* tag, MpegInfo* info);
int velk_getFileInfoDouble(const char* fileName, Id3Tag* tag, MpegInfoDouble* info);
int velk_getFileInfo2(const char* fileName, Id3Tag* tag, MpegInfo14* info, RiffInfoTag* riff);
int velk_getFileInfo2Ex(const char* fileName, Id3Tag* tag, MpegInfo* info, RiffInfoTag* riff);
int velk_getFileInfo2Double(const char* fileName, Id3Tag* tag, MpegInfoDouble* info,
                            RiffInfoTag* riff);
int velk_getFileInfo3(const char* fileName, Id3Tag* tag, MpegInfo14* info, RiffInfoTag* riff,
                      int32_t* typeFlags, FileTimes7* times);
int velk_getFileInfo3Ex(const char* fileName, Id3Tag* tag, MpegInfo* info, RiffInfoTag* riff,
                        int32_t* typeFlags, FileTimes* times);
int velk_getFileInfo3Double(const char* fileName, Id3Tag* tag, MpegInfoDouble* info,
                            RiffInfoTag* riff, int32_t* typeFlags, FileTimesDouble* times);
int velk_adjustLyricsToFrames(void);
int velk_adjustLyricsFromFrames(void);
int velk_saveLyricsFile(const char* fileName);
int velk_writeTag(const char* fileName, const Id3Tag* tag, int32_t updateOpenFile,
                  int32_t appendIfMissing);
int velk_getTag(Id3Tag* tag);
int velk_writeTagV2(const char* fileName, const Id3TagEx* tag, int32_t updateOpenFile,
                    int32_t appendIfMissing);
int velk_getFileTag(const char* fileName, Id3Tag* tag);
int velk_getFileTagV2(const char* fileName, Id3TagEx* tag);
int velk_getGenreName(Id3Tag* tag);
int velk_removeId3v2(const char* fileName);
int velk_setFileRiffInfoShort(const char* fileName, const RiffInfoTag* tag);
int velk_getRiffInfo(RiffInfoTag* tag);
int velk_setFileRiffInfoEx(const char* fileName, const RiffInfoTagEx* tag);
int velk_getFileRiffInfo(const char* fileName, RiffInfoTagEx* tag);
int velk_getFileRiffInfo2(const char* fileName, RiffInfoTag512* tag);
int velk_setFileRiffInfo(const char* fileName, const RiffInfoTag512* tag);
int velk_setFileRiffInfoRefs(const char* fileName, const RiffInfoTagRefs* tag);
void velk_setWriteEmptyInfo(int32_t on);
int velk_removeFileLyrics(const char* fileName);
int velk_writeFileLyrics(const char* fileName, const Lyrics3Tag* tag);
int velk_getFileLyricsInfo(const char* fileName, Lyrics3Tag* tag);
int velk_writeFileLyricsEx(const char* fileName, const Lyrics3Info* info, const char* lyr,
                           const char* inf, const char* img);
int velk_getFileLyricsInfoEx(const char* fileName, Lyrics3Info* info, char* lyr, char* inf,
                             char* img);
int velk_reloadLyrics(void);
int velk_saveLyricsToTag(const char* fileName);
void velk_setRiffTagMode(int32_t mode);
void velk_setLyrics3Use(int32_t on);
int velk_loadLyricsFile(const char* fileName);
int velk_getCurrentLyricsText(LyricsText* text);
int velk_getCurrentLyricsView(LyricsView* view);
int velk_clearLyrics(void);
int velk_hasKaraokeLyrics(void);
void velk_setKaraokeUse(int32_t on);
void velk_setLyricsTime(int32_t timeType);
void velk_setNotTagLyricsLine(int32_t on);
void velk_setLyricsOffset(int32_t milliseconds);
void velk_setLyricsNextAdjustTime(int32_t milliseconds);
void velk_useAtMarkTag(int32_t on);
void velk_setLyricsTimeRatio(double ratio);
int velk_getLyricsStatus(void);
int velk_enumLyricsLines(VelkLyricsLineProc proc);
int velk_getKaraokeInfo(LyricsHeader* header);
int velk_getCurrentLyrics(void);
int velk_getLyricsCount(void);
int velk_setPlaySpeed(int32_t speed, int32_t outputBlock);
int velk_getPlaySpeed(void);
int velk_setPitch(int32_t percent);
int velk_getPitch(void);
void velk_setFadeIn(int32_t on);
void velk_setFadeOut(int32_t on);
int velk_fadeOutStop(void);
int velk_setTimeLimit(int32_t on);
int velk_setSeekWhenStopped(int32_t on);
void velk_setFrameReadFlag(int32_t on);
int velk_setFastSeek(int32_t on);
int velk_setVolume(int32_t left, int32_t right);
int velk_getVolume(int32_t* left, int32_t* right);
int velk_setOutputLevel(int32_t left, int32_t right);
void velk_getOutputLevel(int32_t* left, int32_t* right);
int velk_playAndWriteWave(const char* fileName);
int velk_writeWave(const char* fileName);
int velk_acmGetStatus(int32_t* bytesRead, int32_t* bytesWritten);
int velk_acmOpen(const char* fileName, int32_t info[4]);
int velk_acmEncode(const char* fileName);
int velk_acmStop(void);
int velk_getWaveData(int32_t* left, int32_t* right);
int velk_getSpectrumData(int32_t* left, int32_t* right);
void velk_setSpectrumMode(int32_t mode);
int velk_setEqualizer(const int32_t* table); /* ten values in tenths of a dB, or NULL */
int velk_convertToRiff(const char* fileName);
int velk_convertRiffToMpeg(const char* fileName);
int velk_convertToRmp3(const char* fileName);
int velk_removeMacBinary(const char* fileName);
int velk_setCallback(VelkCallback proc);
int velk_enableCallback(void);
int velk_clearCallback(void);
int velk_setTimer(VelkTimerProc proc, int32_t delayMs, int32_t resolutionMs, int32_t reserved);
int velk_killTimer(void);
int velk_getLastErrorNo(void);
int velk_getFastSeek(void);

/* ---- Platform hooks (not part of the slot table) ---------------------------------------- */

/* Installs the hook that shows the engine's message boxes; NULL sends them to stderr. */
void velk_setMessageHook(VelkMessageHook hook);

/* Bit rate in kbit/s of the next velk_acmEncode; 0 (the default) lets the encoder choose.
 * Values other than 0 and 8..320 fail with error 18. */
int velk_acmSetBitrate(int32_t kbps);

#ifdef __cplusplus
}
#endif

#endif /* VELK_H */
