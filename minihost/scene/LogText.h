#pragma once
// Text from a file on its way to the log: control bytes and bytes that are not ASCII are shown
// escaped ("\x1b", "\n"), so that a scene cannot retitle or clear the user's terminal or feed
// binary bytes to a log parser, and long text is cut.

#include <cstddef>
#include <string>
#include <vector>

namespace minihost::scenefile {

// The longest message the reader puts in the log, in bytes before escaping.
constexpr std::size_t kMaxLogTextBytes = 1024;
// Warnings of one shape after this many are counted and summed up in one line.
constexpr std::size_t kWarningsPerShape = 5;

// `text` with its control and non-ASCII bytes escaped, cut to kMaxLogTextBytes.
std::string logSafe(const std::string& text);

// Keeps the first few warnings of each shape (the text with its quoted parts, numbers and file
// position left out) and replaces the rest by one line per shape that counts them.
std::vector<std::string> summariseWarnings(const std::vector<std::string>& warnings);

}  // namespace minihost::scenefile
