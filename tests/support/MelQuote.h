#pragma once
// Text for MEL scripts built by the tests.

#include <string>

// The text as a MEL string literal, quotes and backslashes escaped.
inline std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\')
      out += '\\';
    out += c;
  }
  return out + "\"";
}
