#include "boundary/base/GString.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

GString::GString(const char* text) : text_(text ? text : "") {}

GString::GString(const char* bytes, std::size_t length) {
  if (bytes)
    text_.assign(bytes, length);
}

GString& GString::operator=(const char* text) {
  text_.assign(text ? text : "");
  return *this;
}

GString& GString::operator+=(const char* text) {
  if (text)
    text_.append(text);
  return *this;
}

GString& GString::operator+=(char c) {
  text_.push_back(c);
  return *this;
}

GString& GString::operator+=(const GString& other) {
  text_.append(other.text_);
  return *this;
}

bool GString::operator==(const char* text) const {
  return text_ == (text ? text : "");
}

GString GString::Format(const char* format, ...) {
  GString result;
  if (format == nullptr)
    return result;
  char small[256];
  va_list args;
  va_start(args, format);
  int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (needed < 0)
    return result;  // an encoding error: nothing sensible to show
  if (static_cast<std::size_t>(needed) < sizeof small) {
    result.text_.assign(small, static_cast<std::size_t>(needed));
    return result;
  }
  result.text_.resize(static_cast<std::size_t>(needed) + 1);
  va_start(args, format);
  std::vsnprintf(&result.text_[0], result.text_.size(), format, args);
  va_end(args);
  result.text_.resize(static_cast<std::size_t>(needed));
  return result;
}
