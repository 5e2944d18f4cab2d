#include "mel/Flags.h"

#include <cctype>
#include <cstring>

namespace mel {

bool asBoolArg(const Value& v) {
  if (v.type() == ValueType::kString) {
    const std::string& s = v.stringRef();
    if (s == "true" || s == "on" || s == "yes")
      return true;
    if (s == "false" || s == "off" || s == "no")
      return false;
  }
  return v.asBool();
}

bool isFlagWord(const Value& v) {
  if (v.type() != ValueType::kString) {
    return false;
  }
  const std::string& s = v.stringRef();
  return s.size() >= 2 && s[0] == '-' && std::isalpha(static_cast<unsigned char>(s[1]));
}

bool FlagSet::parse(CommandCall& call, const std::vector<FlagSpec>& specs, bool allowQuery,
                    bool allowEdit) {
  const std::size_t n = call.count();
  // The mode decides how many arguments each flag takes, so find it first.
  for (std::size_t i = 0; i < n; ++i) {
    const Value& a = call.arg(i);
    if (!isFlagWord(a)) {
      continue;
    }
    // Where a command has no such mode, -q and -e are ordinary flag names (or invalid).
    const std::string& s = a.stringRef();
    if (allowQuery && (s == "-q" || s == "-query")) {
      query = true;
    } else if (allowEdit && (s == "-e" || s == "-edit")) {
      edit = true;
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    const Value& a = call.arg(i);
    if (!isFlagWord(a)) {
      positional.push_back(a);
      continue;
    }
    const std::string& word = a.stringRef();
    const char* name = word.c_str() + 1;
    if ((query && (std::strcmp(name, "q") == 0 || std::strcmp(name, "query") == 0)) ||
        (edit && (std::strcmp(name, "e") == 0 || std::strcmp(name, "edit") == 0))) {
      continue;
    }
    const FlagSpec* desc = nullptr;
    for (const FlagSpec& candidate : specs) {
      if (std::strcmp(candidate.shortName, name) == 0 ||
          std::strcmp(candidate.longName, name) == 0) {
        desc = &candidate;
        break;
      }
    }
    if (desc == nullptr) {
      return call.failNamed("Invalid flag '" + word + "'");
    }
    int count = query ? desc->queryArgs : desc->args;
    if (count > 0 && i + static_cast<std::size_t>(count) >= n) {
      return call.failNamed("Flag '" + word + "' needs " + std::to_string(count) +
                            (count == 1 ? " argument." : " arguments."));
    }
    std::vector<Value> values;
    for (int k = 0; k < count; ++k) {
      values.push_back(call.arg(i + 1 + static_cast<std::size_t>(k)));
    }
    i += static_cast<std::size_t>(count);
    given_.emplace_back(desc->longName, std::move(values));
  }
  return true;
}

const std::vector<Value>* FlagSet::find(const char* longName) const {
  for (auto it = given_.rbegin(); it != given_.rend(); ++it) {
    if (it->first == longName) {
      return &it->second;
    }
  }
  return nullptr;
}

Value FlagSet::value(const char* longName, std::size_t i, const Value& fallback) const {
  const std::vector<Value>* v = find(longName);
  return v != nullptr && i < v->size() ? (*v)[i] : fallback;
}

std::vector<std::vector<Value>> FlagSet::all(const char* longName) const {
  std::vector<std::vector<Value>> out;
  for (const auto& [name, values] : given_) {
    if (name == longName) {
      out.push_back(values);
    }
  }
  return out;
}

}  // namespace mel
