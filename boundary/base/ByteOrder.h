#pragma once

#include <cstdint>
#include <cstring>

// Little-endian encoding of the fixed-width primitives, whatever the machine's byte order.
namespace gbyteorder {

inline std::uint32_t toLittle32(std::uint32_t v) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  return __builtin_bswap32(v);
#else
  return v;
#endif
}

inline std::uint64_t toLittle64(std::uint64_t v) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  return __builtin_bswap64(v);
#else
  return v;
#endif
}

inline void store32(char* to, std::uint32_t v) {
  v = toLittle32(v);
  std::memcpy(to, &v, 4);
}

inline void store64(char* to, std::uint64_t v) {
  v = toLittle64(v);
  std::memcpy(to, &v, 8);
}

inline std::uint32_t load32(const char* from) {
  std::uint32_t v;
  std::memcpy(&v, from, 4);
  return toLittle32(v);
}

inline std::uint64_t load64(const char* from) {
  std::uint64_t v;
  std::memcpy(&v, from, 8);
  return toLittle64(v);
}

}  // namespace gbyteorder
