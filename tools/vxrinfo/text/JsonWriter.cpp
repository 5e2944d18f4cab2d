#include "tools/vxrinfo/text/JsonWriter.h"

#include <cmath>
#include <cstdio>

#include "tools/vxrinfo/text/NumberText.h"
#include "tools/vxrinfo/text/TextSink.h"
#include "tools/vxrinfo/text/Utf8Text.h"

std::string JsonWriter::quote(const char* bytes, std::size_t length) {
  std::string out = "\"";
  for (std::size_t at = 0; at < length;) {
    const auto c = static_cast<unsigned char>(bytes[at]);
    const std::size_t n = utf8CharLength(bytes, length, at);
    if (n == 0) {
      out += "\\ufffd";
      ++at;
      continue;
    }
    if (n > 1) {
      out.append(bytes + at, n);
      at += n;
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
    ++at;
  }
  out += '"';
  return out;
}

void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!open_.empty()) {
    if (!open_.back().empty)
      sink_.put(',');
    open_.back().empty = false;
  }
}

void JsonWriter::raw(const std::string& text) {
  beforeValue();
  sink_.put(text);
}

void JsonWriter::key(const char* name) {
  if (!open_.empty()) {
    if (!open_.back().empty)
      sink_.put(',');
    open_.back().empty = false;
  }
  sink_.put(quote(name, std::char_traits<char>::length(name)));
  sink_.put(':');
  afterKey_ = true;
}

void JsonWriter::beginObject() {
  beforeValue();
  sink_.put('{');
  open_.push_back({true, true});
}

void JsonWriter::endObject() {
  sink_.put('}');
  open_.pop_back();
}

void JsonWriter::beginArray() {
  beforeValue();
  sink_.put('[');
  open_.push_back({false, true});
}

void JsonWriter::endArray() {
  sink_.put(']');
  open_.pop_back();
}

void JsonWriter::closeTo(int depth) {
  if (afterKey_) {
    // A key waits for its value: give it one so the object stays well formed.
    afterKey_ = false;
    sink_.put("null");
  }
  while (static_cast<int>(open_.size()) > depth && !open_.empty()) {
    if (open_.back().isObject)
      endObject();
    else
      endArray();
  }
}

void JsonWriter::string(const char* bytes, std::size_t length) {
  raw(quote(bytes, length));
}

void JsonWriter::number(double value) {
  raw(std::isfinite(value) ? formatDouble(value) : "null");
}

void JsonWriter::number(float value) {
  raw(std::isfinite(value) ? formatFloat(value) : "null");
}

void JsonWriter::integer(std::int64_t value) {
  raw(std::to_string(value));
}

void JsonWriter::unsignedInteger(std::uint64_t value) {
  raw(std::to_string(value));
}

void JsonWriter::boolean(bool value) {
  raw(value ? "true" : "false");
}

void JsonWriter::null() {
  raw("null");
}

void JsonWriter::triple(double x, double y, double z) {
  beginArray();
  number(x);
  number(y);
  number(z);
  endArray();
}

void JsonWriter::triple(float x, float y, float z) {
  beginArray();
  number(x);
  number(y);
  number(z);
  endArray();
}

void JsonWriter::pair(double x, double y) {
  beginArray();
  number(x);
  number(y);
  endArray();
}

void JsonWriter::pair(float x, float y) {
  beginArray();
  number(x);
  number(y);
  endArray();
}
