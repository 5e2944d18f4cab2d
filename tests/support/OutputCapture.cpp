#include "tests/support/OutputCapture.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

#include "tests/support/FileText.h"

OutputCapture::OutputCapture(int fd) : fd_(fd) {
  char pattern[] = "/tmp/vxr_test_output.XXXXXX";
  const int file = ::mkstemp(pattern);
  if (file < 0)
    return;
  file_ = pattern;
  std::fflush(nullptr);
  saved_ = ::dup(fd_);
  ::dup2(file, fd_);
  ::close(file);
}

OutputCapture::~OutputCapture() {
  finish();
}

std::string OutputCapture::finish() {
  if (saved_ < 0)
    return std::string();
  std::fflush(nullptr);
  ::dup2(saved_, fd_);
  ::close(saved_);
  saved_ = -1;
  const std::string text = readBytes(file_);
  ::remove(file_.c_str());
  return text;
}
