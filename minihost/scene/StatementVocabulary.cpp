#include "scene/StatementVocabulary.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "scene/NonFiniteNumbers.h"

namespace minihost::scenefile {

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
