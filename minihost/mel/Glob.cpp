#include "mel/Glob.h"

#include <cstddef>

namespace mel {

namespace {

// Matches one bracket expression at pattern[p] (just after '['); sets `next` past ']'.
bool matchClass(std::string_view pattern, std::size_t p, char c, std::size_t& next) {
  bool negate = false;
  if (p < pattern.size() && (pattern[p] == '!' || pattern[p] == '^')) {
    negate = true;
    ++p;
  }
  bool matched = false;
  bool first = true;
  while (p < pattern.size() && (first || pattern[p] != ']')) {
    first = false;
    char lo = pattern[p];
    if (lo == '\\' && p + 1 < pattern.size()) {
      lo = pattern[++p];
    }
    char hi = lo;
    if (p + 2 < pattern.size() && pattern[p + 1] == '-' && pattern[p + 2] != ']') {
      hi = pattern[p + 2];
      p += 2;
    }
    if (c >= lo && c <= hi) {
      matched = true;
    }
    ++p;
  }
  if (p >= pattern.size()) {
    return false;  // an unclosed '[' matches nothing
  }
  next = p + 1;
  return matched != negate;
}

}  // namespace

bool globMatch(std::string_view pattern, std::string_view text) {
  // Iterative matching with one backtrack point per '*': linear in practice and never
  // recursive, whatever the pattern.
  std::size_t p = 0, t = 0;
  std::size_t starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size()) {
      char pc = pattern[p];
      if (pc == '*') {
        starP = p++;
        starT = t;
        continue;
      }
      if (pc == '?') {
        ++p;
        ++t;
        continue;
      }
      if (pc == '[') {
        std::size_t next = 0;
        if (matchClass(pattern, p + 1, text[t], next)) {
          p = next;
          ++t;
          continue;
        }
      } else {
        if (pc == '\\' && p + 1 < pattern.size()) {
          pc = pattern[p + 1];
          if (pc == text[t]) {
            p += 2;
            ++t;
            continue;
          }
        } else if (pc == text[t]) {
          ++p;
          ++t;
          continue;
        }
      }
    }
    if (starP == std::string_view::npos) {
      return false;
    }
    p = starP + 1;
    t = ++starT;
  }
  while (p < pattern.size() && pattern[p] == '*') {
    ++p;
  }
  return p == pattern.size();
}

}  // namespace mel
