#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

// A small, strict JSON reader for checking the tool's output: it accepts exactly RFC 8259 JSON
// (no trailing commas, no bare control characters in strings, valid escapes, valid UTF-8) and
// keeps numbers as doubles.
struct JsonValue {
  enum class Type { null, boolean, number, string, array, object };
  Type type = Type::null;
  bool boolean = false;
  double number = 0.0;
  std::string text;  // UTF-8, escapes decoded
  std::vector<JsonValue> items;
  std::map<std::string, JsonValue> members;

  bool isNull() const { return type == Type::null; }
  bool has(const std::string& key) const { return members.count(key) != 0; }
  // The member, or a null value when it is missing.
  const JsonValue& operator[](const std::string& key) const;
  const JsonValue& operator[](std::size_t index) const { return items.at(index); }
  std::size_t size() const { return type == Type::array ? items.size() : members.size(); }
};

// Parses one whole document; false with `error` set (and the byte where it went wrong) when
// `text` is not exactly one JSON value with optional white space around it.
bool parseJson(const std::string& text, JsonValue& value, std::string& error);
