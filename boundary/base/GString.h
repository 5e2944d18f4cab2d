#pragma once

#include <cstddef>
#include <string>

// A byte string. It may hold NUL bytes; c_str() is always NUL-terminated after the content.
class GString {
 public:
  GString() = default;
  GString(const char* text);  // NOLINT(google-explicit-constructor): callers pass literals
  GString(const char* bytes, std::size_t length);
  GString(const GString&) = default;
  GString(GString&&) noexcept = default;
  ~GString() = default;

  GString& operator=(const GString&) = default;
  GString& operator=(GString&&) noexcept = default;
  GString& operator=(const char* text);

  GString& operator+=(const char* text);
  GString& operator+=(char c);
  GString& operator+=(const GString& other);

  // printf-style formatting ("%li", "%i", "%04d", ...). The format must be a literal of the
  // caller; text that comes from data is passed as an argument ("%s"), never as the format.
  static GString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

  const char* c_str() const { return text_.c_str(); }
  const char* data() const { return text_.data(); }
  std::size_t length() const { return text_.size(); }
  bool isEmpty() const { return text_.empty(); }
  void clear() { text_.clear(); }
  // Appends raw bytes (NULs included).
  void append(const char* bytes, std::size_t length) { text_.append(bytes, length); }
  void reserve(std::size_t length) { text_.reserve(length); }

  bool operator==(const GString& other) const { return text_ == other.text_; }
  bool operator!=(const GString& other) const { return text_ != other.text_; }
  bool operator==(const char* text) const;
  bool operator!=(const char* text) const { return !(*this == text); }

 private:
  std::string text_;
};
