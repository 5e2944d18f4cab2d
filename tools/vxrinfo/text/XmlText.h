#pragma once

#include <cstddef>
#include <string>

// Text for XML character data and attribute values: '&', '<', '>', '"' and '\'' as entities;
// bytes that are not valid UTF-8 and characters XML 1.0 does not allow (control characters
// other than tab, line feed and carriage return; U+FFFE, U+FFFF) become U+FFFD.
std::string xmlEscape(const char* bytes, std::size_t length);
inline std::string xmlEscape(const std::string& text) {
  return xmlEscape(text.data(), text.size());
}
