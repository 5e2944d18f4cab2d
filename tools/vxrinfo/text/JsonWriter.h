#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TextSink;

// Writes one JSON document as it goes, compactly, putting the commas and colons in. Strings are
// escaped as JSON requires (quote, backslash, control characters); bytes that are not valid
// UTF-8 become U+FFFD, so the output is always valid UTF-8. Non-finite numbers are written as
// null. The caller pairs begin and end calls; closeAll() ends whatever is still open, so that
// a document interrupted by damaged input still parses.
class JsonWriter {
 public:
  explicit JsonWriter(TextSink& sink) : sink_(sink) {}

  void beginObject();
  void endObject();
  void beginArray();
  void endArray();
  // The key of the next value in the open object.
  void key(const char* name);

  void string(const char* bytes, std::size_t length);
  void string(const std::string& text) { string(text.data(), text.size()); }
  void number(double value);
  void number(float value);
  void integer(std::int64_t value);
  void unsignedInteger(std::uint64_t value);
  void boolean(bool value);
  void null();

  // Shorthands for a key and its value.
  void field(const char* name, const std::string& text) {
    key(name);
    string(text);
  }
  void field(const char* name, std::int64_t value) {
    key(name);
    integer(value);
  }
  void unsignedField(const char* name, std::uint64_t value) {
    key(name);
    unsignedInteger(value);
  }
  void field(const char* name, double value) {
    key(name);
    number(value);
  }
  void booleanField(const char* name, bool value) {
    key(name);
    boolean(value);
  }
  // [x, y, z] and [x, y].
  void triple(double x, double y, double z);
  void triple(float x, float y, float z);
  void pair(double x, double y);
  void pair(float x, float y);

  // Ends open values until `depth` remain open.
  void closeTo(int depth);
  void closeAll() { closeTo(0); }
  int depth() const { return static_cast<int>(open_.size()); }

  // The JSON text of a string value, quotes included.
  static std::string quote(const char* bytes, std::size_t length);

 private:
  void beforeValue();
  void raw(const std::string& text);

  TextSink& sink_;
  struct Level {
    bool isObject;
    bool empty;
  };
  std::vector<Level> open_;
  bool afterKey_ = false;
};
