#pragma once
// Whole-file reads and writes for tests that check what a write left in place.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

// The file's bytes; empty when it cannot be read.
inline std::string readBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Replaces the file with a new one holding `bytes`; a test failure when it cannot be written.
// A new file each time: a file truncated and rewritten in place is flushed to the disk at close
// by some file systems, which makes sweeps of thousands of files slow.
inline void writeBytes(const std::string& file, const std::string& bytes) {
  std::remove(file.c_str());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << file;
}

// True when something (a file, a folder, a device) exists under that name.
inline bool fileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}
