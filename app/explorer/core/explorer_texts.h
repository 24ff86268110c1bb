// The texts of the explorer list's cells that are the pane's own: which names it lists, the size
// in kilobytes and the modification time.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace velk::app {

// True when the name's last four characters, without regard to case, are ".mp1", ".mp2",
// ".mp3", ".mpg", ".wav", ".rmp", ".lzh" or ".zip".
bool IsListedAudioName(std::string_view name);

// Kilobytes of 1024 bytes, rounded up, with a "," between every three digits: "1,025 KB".
std::string SizeText(uint64_t bytes);
// The digits of a size text taken as one decimal number ("1,025 KB" gives 1025).
uint64_t SizeTextNumber(std::string_view text);

// "%04d/%02d/%02d %02d:%02d": year, month, day, hour, minute.
std::string ModifiedText(const std::tm& time);
// The same for seconds since the epoch, in local time.
std::string LocalModifiedText(int64_t seconds);

}  // namespace velk::app
