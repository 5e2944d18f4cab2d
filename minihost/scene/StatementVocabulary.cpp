#include "scene/StatementVocabulary.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "scene/NonFiniteNumbers.h"

namespace minihost::scenefile {

// Short decimals, as nearly every number of a file is written ("1", "-15", "0.5"): at most 15
// digits and no exponent. The digits make an integer below 2^53 and the power of ten is exact,
// so the one division rounds as a full decimal conversion does.
bool parseShortDecimal(const char* first, const char* last, double& out) {
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

// The spellings a short decimal is not: exponents, long digit strings, non-finite values.
bool parseLongNumber(std::string_view text, double& out) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+')
    ++first;
  auto r = std::from_chars(first, last, out);
  if (r.ec == std::errc() && r.ptr == last)
    return true;
  // Out-of-range literals (1e400) read as what they overflow to, as the host's reader does.
  if (r.ec == std::errc::result_out_of_range && r.ptr == last) {
    out = std::strtod(std::string(text).c_str(), nullptr);
    return true;
  }
  return parseNonFiniteNumber(text, out);
}

bool parseNumber(std::string_view text, double& out) {
  return parseShortDecimal(text.data(), text.data() + text.size(), out) ||
         parseLongNumber(text, out);
}

bool parseBoolWord(std::string_view text, double& out) {
  if (sameWord(text, "yes") || sameWord(text, "on") || sameWord(text, "true")) {
    out = 1.0;
    return true;
  }
  if (sameWord(text, "no") || sameWord(text, "off") || sameWord(text, "false")) {
    out = 0.0;
    return true;
  }
  return false;
}

bool parseInteger(std::string_view text, int& out) {
  auto r = std::from_chars(text.data(), text.data() + text.size(), out);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

Command commandOf(std::string_view w) {
  switch (w.size()) {
    case 4:
      return sameWord(w, "file") ? Command::kFile : Command::kOther;
    case 6:
      if (sameWord(w, "rename"))
        return Command::kTakenAsWritten;
      if (sameWord(w, "select"))
        return Command::kSelect;
      return sameWord(w, "parent") ? Command::kParent : Command::kOther;
    case 7:
      if (sameWord(w, "setAttr"))
        return Command::kSetAttr;
      return sameWord(w, "addAttr") ? Command::kAddAttr : Command::kOther;
    case 8:
      if (sameWord(w, "requires"))
        return Command::kRequires;
      return sameWord(w, "fileInfo") || sameWord(w, "lockNode") ? Command::kTakenAsWritten
                                                                : Command::kOther;
    case 10:
      return sameWord(w, "createNode") ? Command::kCreateNode : Command::kOther;
    case 11:
      if (sameWord(w, "connectAttr"))
        return Command::kConnectAttr;
      return sameWord(w, "currentUnit") ? Command::kCurrentUnit : Command::kOther;
    case 12:
      return sameWord(w, "relationship") ? Command::kTakenAsWritten : Command::kOther;
    case 13:
      return sameWord(w, "dataStructure") ? Command::kTakenAsWritten : Command::kOther;
    case 14:
      return sameWord(w, "disconnectAttr") ? Command::kTakenAsWritten : Command::kOther;
    default:
      return Command::kOther;
  }
}

const SetAttrFlagName* setAttrFlagOf(std::string_view name) {
  static constexpr SetAttrFlagName kFlags[] = {
      {"type", SetAttrFlag::kType},
      {"k", SetAttrFlag::kIgnoredValue},
      {"s", SetAttrFlag::kSize},
      {"l", SetAttrFlag::kLock},
      {"av", SetAttrFlag::kNoValue},
      {"alteredValue", SetAttrFlag::kNoValue},
      {"c", SetAttrFlag::kNoValue},
      {"clamp", SetAttrFlag::kNoValue},
      {"size", SetAttrFlag::kSize},
      {"keyable", SetAttrFlag::kIgnoredValue},
      {"lock", SetAttrFlag::kLock},
      {"cb", SetAttrFlag::kIgnoredValue},
      {"channelBox", SetAttrFlag::kIgnoredValue},
      {"ch", SetAttrFlag::kIgnoredValue},
      {"capacityHint", SetAttrFlag::kIgnoredValue},
      {"typ", SetAttrFlag::kType},
      {"ca", SetAttrFlag::kIgnoredValue},
      {"caching", SetAttrFlag::kIgnoredValue},
  };
  for (const SetAttrFlagName& e : kFlags) {
    if (e.name == name)
      return &e;
  }
  return nullptr;
}

DataType dataTypeOf(std::string_view type) {
  if (sameWord(type, "polyFaces"))
    return DataType::kPolyFaces;
  if (sameWord(type, "dataReferenceEdits"))
    return DataType::kReferenceEdits;
  if (sameWord(type, "nurbsCurve"))
    return DataType::kNurbsCurve;
  return DataType::kPlain;
}

}  // namespace minihost::scenefile
