#include "engine/CommandResult.h"

namespace minihost {

void CommandResult::clear() {
  kind = Kind::kNone;
  ints.clear();
  doubles.clear();
  strings.clear();
}

bool CommandResult::isArray() const {
  return kind == Kind::kIntArray || kind == Kind::kDoubleArray || kind == Kind::kStringArray;
}

CommandResult& currentCommandResult() {
  static CommandResult result;
  return result;
}

}  // namespace minihost
