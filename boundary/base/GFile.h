#pragma once

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

 private:
  GString path_;
};
