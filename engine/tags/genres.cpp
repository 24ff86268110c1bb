#include "tags/genres.h"

namespace velk {
namespace {

// Spellings are kept exactly as other players of the same family show them, typos included,
// so that names match across programs.
// clang-format off
constexpr const char* kNamed[] = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz",
    "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno",
    "Industrial", "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-tecno",
    "Ambient", "Trip-Hop", "Vocal", "Juzz+Funk", "Fusion", "Trance", "Classical", "Instrumental",
    "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise", "AlternRock", "Bass", "Soul",
    "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic",
    "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream",
    "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk",
    "Jungle", "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes",
    "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical",
    "Rock & Roll", "Hard Rock", "Folk", "Folk/Rock", "National Folk", "Swing", "Fast-Fusion",
    "Bedob", "Latin", "Revival", "Celtic", "Bluegrass", "Avantagarde", "Gothic Rock",
    "Progressive Rock", "Psychadelic Rock", "Symphonic Rock", "Slow Rock", "Big band", "Chorus",
    "Easy Listening", "Acoustic", "Humour", "SpeechChanson", "Chanson", "Opera",
    "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire",
    "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhytmic Soul",
    "Freestyle", "Duet", "Punk Rock", "Drum Solo", "Acapella", "Euro-House", "Dance Hall",
    "Goa", "Dram & Bass", "Club-House", "Hardcore", "Terror", "Indie", "BritPop", "Negerpunk",
    "Polsk Punk", "Beat", "Chiristian Gangsta Rap", "Heavy Metal", "Black Metal", "Crossover",
    "Contemporary Christian", "Christian Rock", "Merengue", "Salsa", "Thrash Metal", "Anime",
    "JPop", "Synthpop"};
// clang-format on
constexpr int kNamedCount = sizeof kNamed / sizeof kNamed[0];
static_assert(kNamedCount == 148);

// The five names at the top of the table.
constexpr const char* kJapanese[] = {"Seiyu(J)", "Tecno Ambient(J)", "Moemoe(J)", "Tokusatsu(J)",
                                     "Anime(J)"};
constexpr int kJapaneseFirst = 251;

}  // namespace

const char* genreName(int64_t index) {
    if (index < 0 || index >= kGenreCount) return nullptr;
    if (index < kNamedCount) return kNamed[index];
    if (index >= kJapaneseFirst) return kJapanese[index - kJapaneseFirst];
    return "";
}

}  // namespace velk
