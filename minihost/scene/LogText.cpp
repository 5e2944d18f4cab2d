#include "scene/LogText.h"

#include <cctype>
#include <unordered_map>

namespace minihost::scenefile {
namespace {

std::string shapeOf(const std::string& warning) {
  std::string shape;
  bool quoted = false;
  for (char c : warning) {
    if (c == '"') {
      quoted = !quoted;
      shape += c;
    } else if (!quoted && !std::isdigit(static_cast<unsigned char>(c))) {
      shape += c;
    }
  }
  // "shot.ma:12: what": the file and line differ from warning to warning.
  size_t colon = shape.find("::");
  return colon == std::string::npos ? shape : shape.substr(colon + 2);
}

}  // namespace

std::string logSafe(const std::string& text) {
  static const char digits[] = "0123456789abcdef";
  const size_t kept = text.size() > kMaxLogTextBytes ? kMaxLogTextBytes : text.size();
  std::string out;
  out.reserve(kept + 16);
  for (size_t i = 0; i < kept; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c >= 0x7f) {
      out += "\\x";
      out += digits[c >> 4];
      out += digits[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  if (kept < text.size())
    out += "... (" + std::to_string(text.size()) + " bytes)";
  return out;
}

std::vector<std::string> summariseWarnings(const std::vector<std::string>& warnings) {
  struct Shape {
    size_t count = 0;
    std::string first;
  };
  std::vector<std::string> out;
  std::unordered_map<std::string, Shape> shapes;
  std::vector<std::string> order;
  for (const std::string& w : warnings) {
    std::string key = shapeOf(w);
    Shape& shape = shapes[key];
    if (shape.count == 0) {
      shape.first = w;
      order.push_back(key);
    }
    if (++shape.count <= kWarningsPerShape)
      out.push_back(w);
  }
  for (const std::string& key : order) {
    const Shape& shape = shapes[key];
    if (shape.count > kWarningsPerShape) {
      out.push_back(shape.first + " (and " + std::to_string(shape.count - kWarningsPerShape) +
                    " more like it)");
    }
  }
  return out;
}

}  // namespace minihost::scenefile
