#include "tools/vxrinfo/text/TextSink.h"

#include <cstring>
#include <ostream>

#include "boundary/base/opstream.h"

void TextSink::put(const char* text, std::size_t length) {
  buffer_.append(text, length);
  if (buffer_.size() >= drainAt)
    flush();
}

void TextSink::put(const char* text) {
  put(text, std::strlen(text));
}

void TextSink::put(char c) {
  buffer_.push_back(c);
  if (buffer_.size() >= drainAt)
    flush();
}

bool TextSink::flush() {
  if (!buffer_.empty()) {
    if (ok_ && !drain(buffer_.data(), buffer_.size()))
      ok_ = false;
    buffer_.clear();
  }
  return ok_;
}

bool StreamTextSink::drain(const char* data, std::size_t length) {
  out_.write(data, static_cast<std::streamsize>(length));
  return static_cast<bool>(out_);
}

bool PersistentTextSink::drain(const char* data, std::size_t length) {
  out_.writeBytes(data, length);
  return !out_.fail();
}
