#pragma once
// The hash of a node or attribute name for the scene's own tables. Names are short ("grp12",
// "ctl7_rotateX", "tx"): they are read eight bytes at a time and mixed once at the end, several
// times cheaper than the standard library's byte-wise hash, which a file of tens of thousands of
// nodes pays a few times per node.

#include <cstdint>
#include <cstring>
#include <string_view>

namespace minihost {

inline uint64_t hashName(std::string_view name) {
  const char* p = name.data();
  size_t left = name.size();
  uint64_t h = 0x9e3779b97f4a7c15ULL ^ (left * 0xff51afd7ed558ccdULL);
  while (left >= 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    h = (h ^ word) * 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 31;
    p += 8;
    left -= 8;
  }
  if (left > 0) {
    uint64_t word = 0;
    for (size_t i = 0; i < left; ++i)
      word |= static_cast<uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    h = (h ^ word) * 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 31;
  }
  // Every bit of the name reaches the low bits, which pick a table's slot.
  h *= 0x94d049bb133111ebULL;
  h ^= h >> 29;
  h *= 0xff51afd7ed558ccdULL;
  h ^= h >> 32;
  return h;
}

// For the standard containers keyed by names (attribute names by type and by node).
struct NameHasher {
  size_t operator()(std::string_view name) const { return static_cast<size_t>(hashName(name)); }
};

}  // namespace minihost
