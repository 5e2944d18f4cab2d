#pragma once
// Reads a command's flags against a table of short and long names, the way host commands
// take them: "-q"/"-query" and "-e"/"-edit" set the mode, and in query mode a flag takes
// only the arguments it takes when queried.

#include <cstddef>
#include <string>
#include <vector>

#include "mel/CommandTable.h"

namespace mel {

struct FlagSpec {
  const char* shortName;  // without the '-'
  const char* longName;
  int args = 0;       // arguments taken in create and edit mode
  int queryArgs = 0;  // arguments taken in query mode
};

class FlagSet {
 public:
  // Reports "cmd: Invalid flag '-x'" or a missing argument and returns false.
  bool parse(CommandCall& call, const std::vector<FlagSpec>& specs, bool allowQuery = true,
             bool allowEdit = false);

  bool query = false;
  bool edit = false;
  std::vector<Value> positional;

  bool has(const char* longName) const { return find(longName) != nullptr; }
  // Arguments of the last occurrence.
  const std::vector<Value>* find(const char* longName) const;
  // Argument i of the last occurrence, or `fallback`.
  Value value(const char* longName, std::size_t i = 0, const Value& fallback = Value()) const;
  // Every occurrence, in order (for flags that may be given more than once).
  std::vector<std::vector<Value>> all(const char* longName) const;
  // The flags in the order given, by long name.
  const std::vector<std::pair<std::string, std::vector<Value>>>& given() const { return given_; }

 private:
  std::vector<std::pair<std::string, std::vector<Value>>> given_;
};

// A boolean flag argument: 1/0, true/false, on/off, yes/no.
bool asBoolArg(const Value& v);

// A string argument that reads as a flag: '-' then a letter.
bool isFlagWord(const Value& v);

}  // namespace mel
