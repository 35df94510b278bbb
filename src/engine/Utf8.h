#pragma once

#include <string>
#include <string_view>

// Text is UTF-8 in memory; sizes and widths count characters (code points), not bytes.

// Number of code points; a stray continuation byte counts as its own character.
std::size_t Utf8Length(std::string_view text);

// The first count characters of the text (the whole text when it is shorter).
std::string Utf8Left(std::string_view text, std::size_t count);

// True when the bytes form valid UTF-8.
bool IsValidUtf8(std::string_view text);
