#pragma once

#include <cstring>

#include "boundary/base/GString.h"

// A file path built up piece by piece ("base" += ".0001" += ".vxrmesh").
class GFile {
 public:
  GFile() = default;
  explicit GFile(const char* path) : path_(path) {}
  explicit GFile(const GString& path) : path_(path) {}

  GFile& operator+=(const char* text);
  GFile& operator+=(const GString& text);
  GFile& operator+=(char c);

  const GString& path() const { return path_; }
  const char* c_str() const { return path_.c_str(); }
  // The path for the system's file calls, or null when it holds a NUL byte: the system would
  // read only the part before it and so name another file.
  const char* systemPath() const { return systemPath(path_); }
  static const char* systemPath(const GString& path) {
    return std::memchr(path.c_str(), '\0', path.length()) ? nullptr : path.c_str();
  }

 private:
  GString path_;
};
