#include "tools/vxrinfo/text/XmlText.h"

#include "tools/vxrinfo/text/Utf8Text.h"

namespace {
const char kReplacement[] = "\xEF\xBF\xBD";
}

std::string xmlEscape(const char* bytes, std::size_t length) {
  std::string out;
  out.reserve(length);
  for (std::size_t at = 0; at < length;) {
    const std::size_t n = utf8CharLength(bytes, length, at);
    if (n == 0) {
      out += kReplacement;
      ++at;
      continue;
    }
    if (n > 1) {
      // U+FFFE and U+FFFF are EF BF BE and EF BF BF.
      const bool notAllowed = n == 3 && static_cast<unsigned char>(bytes[at]) == 0xEF &&
                              static_cast<unsigned char>(bytes[at + 1]) == 0xBF &&
                              static_cast<unsigned char>(bytes[at + 2]) >= 0xBE;
      if (notAllowed)
        out += kReplacement;
      else
        out.append(bytes + at, n);
      at += n;
      continue;
    }
    const char c = bytes[at++];
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
          out += kReplacement;
        else
          out += c;
    }
  }
  return out;
}
