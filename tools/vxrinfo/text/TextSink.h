#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

class opstream;

// Text output gathered in a buffer and handed on in large pieces, so that writing a value at a
// time stays cheap whatever is behind it (standard output, a file stream).
class TextSink {
 public:
  TextSink() = default;
  TextSink(const TextSink&) = delete;
  TextSink& operator=(const TextSink&) = delete;
  virtual ~TextSink() = default;

  void put(const char* text, std::size_t length);
  void put(const char* text);
  void put(const std::string& text) { put(text.data(), text.size()); }
  void put(char c);
  // Hands on what is buffered. False when the output refused anything so far.
  bool flush();
  bool ok() const { return ok_; }

 protected:
  // Takes `length` bytes; false when they could not be written.
  virtual bool drain(const char* data, std::size_t length) = 0;

 private:
  static constexpr std::size_t drainAt = 64 * 1024;
  std::string buffer_;
  bool ok_ = true;
};

// Text into a standard stream. The owner flushes before the stream goes away.
class StreamTextSink : public TextSink {
 public:
  explicit StreamTextSink(std::ostream& out) : out_(out) {}
  ~StreamTextSink() override { flush(); }

 protected:
  bool drain(const char* data, std::size_t length) override;

 private:
  std::ostream& out_;
};

// Text into a persistent output stream (a file stream that replaces its target on close).
class PersistentTextSink : public TextSink {
 public:
  explicit PersistentTextSink(opstream& out) : out_(out) {}
  ~PersistentTextSink() override { flush(); }

 protected:
  bool drain(const char* data, std::size_t length) override;

 private:
  opstream& out_;
};
