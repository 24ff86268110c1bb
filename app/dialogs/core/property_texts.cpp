#include "dialogs/core/property_texts.h"

#include <cstdio>

#include "core/display_name.h"
#include "core/grouped_digits.h"

namespace velk::app {

namespace {

template <typename... Args>
std::string Printed(const char* format, Args... args) {
    char text[64];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

}  // namespace

std::string ChannelsText(int channels) {
    if (channels == 1) return Printed("%d (ﾓﾉﾗﾙ)", channels);
    if (channels == 2) return Printed("%d (ｽﾃﾚｵ)", channels);
    return Printed("%d", channels);
}

std::string BitRateText(int kbps) {
    return Printed("%d Kbps", kbps);
}

std::string SampleRateText(int hz) {
    return Printed("%d KHz", hz / 1000);
}

std::string FileSizeText(int64_t bytes) {
    return GroupThousands(bytes / 1024) + " KB";
}

std::string PlayTimeText(int seconds) {
    if (seconds < 3600) return Printed("%d:%02d", seconds / 60, seconds % 60);
    return Printed("%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

std::string ShownFileName(const PlaylistEntry& entry, bool fullPath) {
    if (!entry.isMember()) return fullPath ? entry.path : entry.fileName;
    return fullPath ? entry.path + "/" + entry.memberName : BaseName(entry.memberName);
}

}  // namespace velk::app
