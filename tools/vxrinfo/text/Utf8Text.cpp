#include "tools/vxrinfo/text/Utf8Text.h"

#include <cstdint>
#include <cstdio>

std::size_t utf8CharLength(const char* bytes, std::size_t length, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  const std::uint8_t lead = byte(at);
  if (lead < 0x80)
    return 1;
  std::size_t n = 0;
  std::uint32_t min = 0;
  std::uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2;
    min = 0x80;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3;
    min = 0x800;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4;
    min = 0x10000;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (length - at < n)
    return 0;
  for (std::size_t i = 1; i < n; ++i) {
    const std::uint8_t next = byte(at + i);
    if ((next & 0xC0) != 0x80)
      return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return 0;
  return n;
}

bool isValidUtf8(const char* bytes, std::size_t length) {
  for (std::size_t at = 0; at < length;) {
    const std::size_t n = utf8CharLength(bytes, length, at);
    if (n == 0)
      return false;
    at += n;
  }
  return true;
}

std::string quoteForDisplay(const char* bytes, std::size_t length) {
  std::string out = "\"";
  for (std::size_t at = 0; at < length;) {
    const auto c = static_cast<std::uint8_t>(bytes[at]);
    const std::size_t n = utf8CharLength(bytes, length, at);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (n > 1) {
      out.append(bytes + at, n);
      at += n;
      continue;
    } else if (n == 1 && c >= 0x20 && c != 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c));
      out += hex;
    }
    ++at;
  }
  out += '"';
  return out;
}
