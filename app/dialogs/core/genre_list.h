// The property dialog's genre choices: every named genre of the engine's table, in number order.
#pragma once

#include <string>
#include <vector>

namespace velk::app {

struct GenreChoice {
    int number;
    std::string name;  // UTF-8
};

const std::vector<GenreChoice>& GenreChoices();

// Index in GenreChoices() of the genre named `name`, or -1.
int FindGenreChoice(const std::string& name);

}  // namespace velk::app
