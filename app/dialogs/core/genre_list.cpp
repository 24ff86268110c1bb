#include "dialogs/core/genre_list.h"

#include "core/text_codec.h"
#include "velk.h"

namespace velk::app {

namespace {

constexpr int kGenreNumbers = 256;

}  // namespace

const std::vector<GenreChoice>& GenreChoices() {
    static const std::vector<GenreChoice> choices = [] {
        std::vector<GenreChoice> list;
        for (int number = 0; number < kGenreNumbers; ++number) {
            Id3Tag tag{};
            tag.genre = static_cast<uint32_t>(number);
            if (velk_getGenreName(&tag) && tag.genreName[0] != '\0') {
                list.push_back({number, TagTextToUtf8(tag.genreName)});
            }
        }
        return list;
    }();
    return choices;
}

int FindGenreChoice(const std::string& name) {
    const auto& choices = GenreChoices();
    for (size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace velk::app
