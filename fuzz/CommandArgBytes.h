#pragma once
// The byte language of the command argument fuzzers, shared by the fuzzers, which read an
// argument list out of the bytes, and the seed generator, which writes typical lists in it.
// An input is a run of arguments: one byte picks the kind (its value modulo the number of
// kinds), and the bytes after it give the value. Values are little-endian; a value cut short by
// the end of the input takes the bytes there are.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class ArgByteReader {
 public:
  ArgByteReader(const std::uint8_t* data, std::size_t size) : data_(data), end_(data + size) {}

  bool done() const { return data_ >= end_; }

  std::uint32_t take(int width) {
    std::uint32_t value = 0;
    for (int i = 0; i < width && data_ < end_; ++i)
      value |= static_cast<std::uint32_t>(*data_++) << (8 * i);
    return value;
  }

  double takeDouble() {
    std::uint64_t bits = take(4);
    bits |= static_cast<std::uint64_t>(take(4)) << 32;
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  // A length Byte (modulo `lengthLimit`), then that many bytes of text. A slash is dropped, so
  // the text never names another folder; so is a NUL unless `keepNul`.
  std::string takeName(std::size_t lengthLimit, bool keepNul) {
    const std::size_t length = take(1) % lengthLimit;
    std::string text;
    for (std::size_t i = 0; i < length && data_ < end_; ++i, ++data_)
      if (*data_ != '/' && (keepNul || *data_ != '\0'))
        text.push_back(static_cast<char>(*data_));
    return text;
  }

 private:
  const std::uint8_t* data_;
  const std::uint8_t* end_;
};

class ArgByteWriter {
 public:
  ArgByteWriter& kind(int kind) { return byte(static_cast<std::uint8_t>(kind)); }
  ArgByteWriter& byte(std::uint8_t value) {
    bytes_.push_back(static_cast<char>(value));
    return *this;
  }
  ArgByteWriter& value(std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
      byte(static_cast<std::uint8_t>(value >> (8 * i)));
    return *this;
  }
  ArgByteWriter& doubleValue(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return this->value(static_cast<std::uint32_t>(bits), 4)
        .value(static_cast<std::uint32_t>(bits >> 32), 4);
  }
  ArgByteWriter& name(const std::string& text) {
    byte(static_cast<std::uint8_t>(text.size()));
    bytes_ += text;
    return *this;
  }

  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// VXR_AnimationImportCmd: its options, integers, doubles, short names, the handle of the
// document the fuzzer keeps loaded, and the path of a valid animation file.
namespace importArgs {

enum Kind { kOption, kInt, kDouble, kName, kLoadedHandle, kValidFile, kKinds };

constexpr const char* kOptions[] = {"-id",         "-cameraid",  "-lightid", "-keyframe",
                                    "-camerapath", "-lightpath", "-cameras", "-lights",
                                    "-keyframes",  "-gettime",   "-getname", "-gettype",
                                    "-setinfo",    "-close",     "-open"};
constexpr std::size_t kOptionCount = sizeof kOptions / sizeof kOptions[0];
constexpr std::size_t kNameLimit = 32;

inline std::uint8_t optionIndex(const char* option) {
  for (std::size_t i = 0; i < kOptionCount; ++i)
    if (std::strcmp(kOptions[i], option) == 0)
      return static_cast<std::uint8_t>(i);
  return 0;
}

}  // namespace importArgs

// VXR_MeshExportCmd: its two options and near misses of them, integers (a small one for the
// usual frame numbers), doubles, Booleans, names (relative to the fuzzer's folder, where the
// command runs), paths inside that folder and paths in a folder that does not exist.
namespace meshArgs {

enum Kind { kOption, kInt, kSmallInt, kDouble, kBool, kName, kPath, kMissingFolderPath, kKinds };

constexpr const char* kOptions[] = {"-file", "-frame", "-File",   "-FRAME", "-fil",
                                    "-f",    "file",   "-frames", "",       "-file "};
constexpr std::size_t kOptionCount = sizeof kOptions / sizeof kOptions[0];
// Long enough that a name with a frame number and the extension passes the file name limit.
constexpr std::size_t kNameLimit = 256;
constexpr std::size_t kPathNameLimit = 64;

inline std::uint8_t optionIndex(const char* option) {
  for (std::size_t i = 0; i < kOptionCount; ++i)
    if (std::strcmp(kOptions[i], option) == 0)
      return static_cast<std::uint8_t>(i);
  return 0;
}

}  // namespace meshArgs
