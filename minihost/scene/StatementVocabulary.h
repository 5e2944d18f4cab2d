#pragma once
// The words of a scene file's statements as the reader takes them: numbers as files spell them,
// the commands of the scene vocabulary, the flags setAttr takes and the -type values read in a
// way of their own.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace minihost::scenefile {

// Whether a word is the name: with the name's length known, the comparison is a few loads.
template <size_t N>
bool sameWord(std::string_view word, const char (&name)[N]) {
  return word.size() == N - 1 && std::memcmp(word.data(), name, N - 1) == 0;
}

// A number as files write it: a short decimal, else a long form.
bool parseNumber(std::string_view text, double& out);
// Short decimals, as nearly every number of a file is written ("1", "-15", "0.5"): at most 15
// digits and no exponent, read exactly without a full conversion (inline: the parser reads one
// per number). The digits make an integer below 2^53 and the power of ten is exact,
// so the one division rounds as a full decimal conversion does.
inline bool parseShortDecimal(const char* first, const char* last, double& out) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const bool negative = first != last && *first == '-';
  if (first != last && (*first == '-' || *first == '+'))
    ++first;
  std::uint64_t digits = 0;
  int count = 0, decimals = 0;
  bool point = false;
  for (const char* p = first; p != last; ++p) {
    if (*p >= '0' && *p <= '9') {
      if (++count > 15)
        return false;
      digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
      decimals += point ? 1 : 0;
    } else if (*p == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (count == 0)
    return false;
  const double value = static_cast<double>(digits) / kPowersOfTen[decimals];
  out = negative ? -value : value;
  return true;
}

// The spellings a short decimal is not: exponents, long digit strings, out-of-range literals (as
// what they overflow to) and the non-finite spellings.
bool parseLongNumber(std::string_view text, double& out);
// yes/on/true and no/off/false.
bool parseBoolWord(std::string_view text, double& out);
bool parseInteger(std::string_view text, int& out);

// The commands of the scene vocabulary; every other command is skipped.
enum class Command {
  kSetAttr,
  kCreateNode,
  kConnectAttr,
  kSelect,
  kCurrentUnit,
  kRequires,
  kAddAttr,
  kTakenAsWritten,  // read and not needed by the scene the batch host keeps
  kFile,
  kParent,
  kOther
};

// Looked up once per statement: by length first, so that a word is compared with at most
// three names.
Command commandOf(std::string_view w);

// The flags setAttr takes, by what the reader does with them.
enum class SetAttrFlag {
  kNoValue,  // -av, -c: nothing to keep
  kSize,
  kLock,
  kType,
  kIgnoredValue,  // -k, -cb, -ch, -ca: a value the reader does not keep
};

struct SetAttrFlagName {
  std::string_view name;
  SetAttrFlag flag;
};

// The flag a word names (without its '-'), with the name kept in static storage; null for a
// flag setAttr does not take.
const SetAttrFlagName* setAttrFlagOf(std::string_view name);

// The -type values the reader reads in a way of their own.
enum class DataType { kPlain, kPolyFaces, kReferenceEdits, kNurbsCurve };

DataType dataTypeOf(std::string_view type);

}  // namespace minihost::scenefile
