#pragma once

#include <cstddef>
#include <string>

// Byte strings from files are not necessarily UTF-8. These helpers decode strictly (no overlong
// forms, no surrogates, nothing above U+10FFFF) and say how many bytes a valid character at
// `at` takes, or 0 when the byte there does not start one.
std::size_t utf8CharLength(const char* bytes, std::size_t length, std::size_t at);
bool isValidUtf8(const char* bytes, std::size_t length);

// For terminal output: the text in double quotes, valid UTF-8 kept, a quote or backslash
// escaped with a backslash, control characters and invalid bytes as \xNN.
std::string quoteForDisplay(const char* bytes, std::size_t length);
inline std::string quoteForDisplay(const std::string& text) {
  return quoteForDisplay(text.data(), text.size());
}
