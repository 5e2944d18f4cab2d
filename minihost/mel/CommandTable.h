#pragma once
// The table of commands a script can call: built-ins, host commands and plug-in commands
// all register here, under one name each.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "mel/Value.h"

namespace mel {

class Interpreter;
struct CommandEntry;

// One call of a command. Arguments arrive evaluated; flags are strings beginning with '-'.
struct CommandCall {
  Interpreter& interp;
  const CommandEntry& entry;
  std::vector<Value>& args;
  // For commands that write into their arguments (tokenize, clear): the variable behind
  // each argument, or null where the argument was not a plain variable.
  const std::vector<Value*>* refs;
  Value result;

  std::size_t count() const { return args.size(); }
  // Argument i, read through its variable where the command takes references.
  const Value& arg(std::size_t i) const {
    return refs != nullptr && (*refs)[i] != nullptr ? *(*refs)[i] : args[i];
  }
  // The variable behind argument i, or null.
  Value* ref(std::size_t i) const { return refs != nullptr ? (*refs)[i] : nullptr; }

  // Reports "message" as an error of this call and returns false, for `return call.fail(..)`.
  bool fail(const std::string& message);
  // Reports a message naming the command: "<name>: message".
  bool failNamed(const std::string& message);
};

// Returns false after reporting an error.
using CommandFn = bool (*)(CommandCall& call);

struct CommandEntry {
  std::string name;
  CommandFn fn = nullptr;
  void* data = nullptr;    // the registrar's own context (a plug-in command's creator, ...)
  bool wantsRefs = false;  // fills CommandCall::refs
};

class CommandTable {
 public:
  // False when the name is taken.
  bool add(const std::string& name, CommandFn fn, void* data = nullptr, bool wantsRefs = false);
  // Replaces or adds.
  void set(const std::string& name, CommandFn fn, void* data = nullptr, bool wantsRefs = false);
  bool remove(const std::string& name);
  const CommandEntry* find(const std::string& name) const;
  std::vector<std::string> names() const;
  // Bumped by every change, so cached lookups know when to look again.
  std::uint64_t generation() const { return generation_; }

 private:
  std::unordered_map<std::string, std::unique_ptr<CommandEntry>> entries_;
  // Removed entries stay allocated: a call in progress may still refer to its entry.
  std::vector<std::unique_ptr<CommandEntry>> retired_;
  std::uint64_t generation_ = 1;
};

}  // namespace mel
