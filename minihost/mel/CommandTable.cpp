#include "mel/CommandTable.h"

#include <algorithm>

#include "mel/Interpreter.h"

namespace mel {

bool CommandCall::fail(const std::string& message) {
  interp.reportError(message);
  return false;
}

bool CommandCall::failNamed(const std::string& message) {
  interp.reportError(entry.name + ": " + message);
  return false;
}

bool CommandTable::add(const std::string& name, CommandFn fn, void* data, bool wantsRefs) {
  if (entries_.count(name) != 0) {
    return false;
  }
  set(name, fn, data, wantsRefs);
  return true;
}

void CommandTable::set(const std::string& name, CommandFn fn, void* data, bool wantsRefs) {
  auto entry = std::make_unique<CommandEntry>();
  entry->name = name;
  entry->fn = fn;
  entry->data = data;
  entry->wantsRefs = wantsRefs;
  auto it = entries_.find(name);
  if (it != entries_.end()) {
    retired_.push_back(std::move(it->second));
    it->second = std::move(entry);
  } else {
    entries_.emplace(name, std::move(entry));
  }
  ++generation_;
}

bool CommandTable::remove(const std::string& name) {
  auto it = entries_.find(name);
  if (it == entries_.end()) {
    return false;
  }
  retired_.push_back(std::move(it->second));
  entries_.erase(it);
  ++generation_;
  return true;
}

const CommandEntry* CommandTable::find(const std::string& name) const {
  auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : it->second.get();
}

std::vector<std::string> CommandTable::names() const {
  std::vector<std::string> out;
  out.reserve(entries_.size());
  for (const auto& [name, entry] : entries_) {
    out.push_back(name);
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace mel
