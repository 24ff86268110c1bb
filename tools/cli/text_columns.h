// How many terminal columns UTF-8 text takes, and cutting it to a width: East Asian wide and
// fullwidth characters take two columns, half-width katakana and other characters one,
// combining marks and control characters none.
#pragma once

#include <cstddef>
#include <string_view>

namespace velk::cli {

int charColumns(char32_t ch);

// Columns of the whole text; a byte that is not valid UTF-8 counts as one column.
int textColumns(std::string_view utf8);

// Bytes of the longest start of `utf8` made of whole characters that fits in `columns`.
size_t cutToColumns(std::string_view utf8, int columns);

// The width of the terminal on `fd`; else $COLUMNS; else 80.
int terminalColumns(int fd);

// A $COLUMNS value as a width: its positive whole number, else 80 (also when unset).
int columnsFromEnvironment(const char* value);

}  // namespace velk::cli
