#include "boundary/base/GFile.h"

GFile& GFile::operator+=(const char* text) {
  path_ += text;
  return *this;
}

GFile& GFile::operator+=(const GString& text) {
  path_ += text;
  return *this;
}

GFile& GFile::operator+=(char c) {
  path_ += c;
  return *this;
}
