#pragma once
// The result a plug-in command sets with MPxCommand::setResult during one call.
// The caller clears it before doIt and reads it afterwards.

#include <string>
#include <vector>

namespace minihost {

struct CommandResult {
  enum class Kind { kNone, kInt, kDouble, kString, kIntArray, kDoubleArray, kStringArray };
  Kind kind = Kind::kNone;
  std::vector<int> ints;
  std::vector<double> doubles;
  std::vector<std::string> strings;

  void clear();
  bool isArray() const;
};

CommandResult& currentCommandResult();

}  // namespace minihost
