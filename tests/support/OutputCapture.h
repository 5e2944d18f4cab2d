#pragma once

#include <string>

// Everything written to a file descriptor (standard output by default; the descriptor, so C
// and C++ output alike) while an object of this class lives.
class OutputCapture {
 public:
  explicit OutputCapture(int fd = 1);
  ~OutputCapture();
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;
  // Ends the capture and returns what was written.
  std::string finish();

 private:
  int fd_;
  int saved_ = -1;
  std::string file_;
};
