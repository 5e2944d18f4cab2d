#pragma once
// Whole-file reads and writes for tests that check what a write left in place.

#include <fstream>
#include <sstream>
#include <string>

// The file's bytes; empty when it cannot be read.
inline std::string contents(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Replaces the file with `text`.
inline void put(const std::string& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}
