// loadPlugin, unloadPlugin, pluginInfo, and the dispatch of commands plug-ins register.

#include <maya/MArgList.h>

#include "engine/PluginRegistry.h"
#include "mel/Interpreter.h"
#include "mel/host/MelHost.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

namespace {

minihost::PluginRegistry& registry() {
  return minihost::PluginRegistry::get();
}

void appendArg(MArgList& list, const Value& v) {
  switch (v.type()) {
    case ValueType::kInt:
      list.addArg(v.intRef());
      break;
    case ValueType::kFloat:
      list.addArg(v.floatRef());
      break;
    case ValueType::kString:
      list.addArg(MString(v.stringRef().c_str()));
      break;
    case ValueType::kVector:
      list.addArg(v.vectorRef().x);
      list.addArg(v.vectorRef().y);
      list.addArg(v.vectorRef().z);
      break;
    default:
      for (std::size_t i = 0; i < v.arraySize(); ++i)
        appendArg(list, v.element(i));
      break;
  }
}

Value resultValue(const minihost::CommandResult& r) {
  using Kind = minihost::CommandResult::Kind;
  switch (r.kind) {
    case Kind::kNone:
      return Value();
    case Kind::kInt:
      return Value(r.ints.empty() ? 0 : r.ints.front());
    case Kind::kDouble:
      return Value(r.doubles.empty() ? 0.0 : r.doubles.front());
    case Kind::kString:
      return Value(r.strings.empty() ? std::string() : r.strings.front());
    case Kind::kIntArray:
      return Value(r.ints);
    case Kind::kDoubleArray:
      return Value(r.doubles);
    case Kind::kStringArray:
      return Value(r.strings);
  }
  return Value();
}

// Runs a plug-in command: arguments as an MArgList, the result it set as the value.
bool runPluginCommand(CommandCall& call) {
  const std::string& name = call.entry.name;
  if (registry().findCommand(name) == nullptr) {
    // Its plug-in was unloaded since the name was bound.
    call.interp.commands().remove(name);
    return call.fail("Cannot find procedure \"" + name + "\".");
  }
  MArgList args;
  for (std::size_t i = 0; i < call.count(); ++i)
    appendArg(args, call.arg(i));
  minihost::CommandResult result;
  MStatus status = registry().runCommand(name, args, result);
  call.result = resultValue(result);
  if (!status) {
    return call.fail(name + ": Command failed.");
  }
  return true;
}

// Binds every registered plug-in command not yet in the table, and drops the ones whose
// plug-in has gone.
void syncPluginCommands(Interpreter& interp) {
  for (const std::string& name : registry().commandNames()) {
    const CommandEntry* existing = interp.commands().find(name);
    if (existing == nullptr)
      interp.commands().set(name, runPluginCommand);
  }
  for (const std::string& name : interp.commands().names()) {
    const CommandEntry* entry = interp.commands().find(name);
    if (entry != nullptr && entry->fn == runPluginCommand &&
        registry().findCommand(name) == nullptr) {
      interp.commands().remove(name);
    }
  }
}

bool cmdLoadPlugin(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"qt", "quiet", 0}, {"n", "name", 1}}, false))
    return false;
  if (flags.positional.empty())
    return call.failNamed("Expected a plug-in name or path.");
  MelHost* h = melHost();
  if (h == nullptr)
    return call.failNamed("No script host is running.");
  std::vector<std::string> names;
  for (const Value& v : flags.positional) {
    std::string loaded, error;
    if (!h->loadPlugin(v.asString(), loaded, error)) {
      syncPluginCommands(call.interp);
      return call.failNamed(error);
    }
    names.push_back(loaded);
  }
  syncPluginCommands(call.interp);
  call.result = Value(std::move(names));
  return true;
}

bool cmdUnloadPlugin(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"f", "force", 0}}, false))
    return false;
  if (flags.positional.empty())
    return call.failNamed("Expected a plug-in name.");
  for (const Value& v : flags.positional) {
    std::string error;
    if (!registry().unload(v.asString(), &error)) {
      syncPluginCommands(call.interp);
      return call.failNamed(error.empty() ? "Plug-in \"" + v.asString() + "\" is not loaded."
                                          : error);
    }
  }
  syncPluginCommands(call.interp);
  return true;
}

const minihost::PluginInfo* findLoaded(const std::string& nameOrPath,
                                       std::vector<minihost::PluginInfo>& storage) {
  storage = registry().loaded();
  for (const minihost::PluginInfo& p : storage) {
    if (p.name == nameOrPath || p.path == nameOrPath)
      return &p;
  }
  return nullptr;
}

bool cmdPluginInfo(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"l", "loaded", 0},
                    {"v", "version", 0},
                    {"vd", "vendor", 0},
                    {"p", "path", 0},
                    {"n", "name", 0},
                    {"ls", "listPlugins", 0},
                    {"av", "apiVersion", 0},
                    {"c", "command", 0},
                    {"tr", "translator", 0}},
                   true, false)) {
    return false;
  }
  if (!flags.query)
    return call.failNamed("Only query mode (-q) is supported.");
  std::vector<minihost::PluginInfo> storage;
  if (flags.has("listPlugins")) {
    std::vector<std::string> names;
    for (const minihost::PluginInfo& p : registry().loaded())
      names.push_back(p.name);
    call.result = Value(std::move(names));
    return true;
  }
  if (flags.has("command") && flags.positional.empty()) {
    call.result = Value(registry().commandNames());
    return true;
  }
  if (flags.has("translator") && flags.positional.empty()) {
    call.result = Value(registry().translatorNames());
    return true;
  }
  if (flags.positional.size() != 1)
    return call.failNamed("Expected one plug-in name.");
  std::string name = flags.positional[0].asString();
  const minihost::PluginInfo* info = findLoaded(name, storage);
  if (flags.has("loaded")) {
    call.result = Value(info != nullptr ? 1 : 0);
    return true;
  }
  if (info == nullptr)
    return call.failNamed("Plug-in \"" + name + "\" is not loaded.");
  if (flags.has("version"))
    call.result = Value(info->version);
  else if (flags.has("vendor"))
    call.result = Value(info->vendor);
  else if (flags.has("path"))
    call.result = Value(info->path);
  else if (flags.has("apiVersion"))
    call.result = Value(info->apiVersion);
  else if (flags.has("name"))
    call.result = Value(info->name);
  else if (flags.has("command"))
    call.result = Value(registry().commandNames());
  else if (flags.has("translator"))
    call.result = Value(registry().translatorNames());
  else
    return call.failNamed("Nothing to query.");
  return true;
}

}  // namespace

void registerPluginCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("loadPlugin", cmdLoadPlugin);
  t.set("unloadPlugin", cmdUnloadPlugin);
  t.set("pluginInfo", cmdPluginInfo);
  // Plug-ins loaded by any other path (the engine's own API) become callable on first use.
  interp.setCommandFallback([](Interpreter& in, const std::string& name) -> const CommandEntry* {
    if (registry().findCommand(name) == nullptr)
      return nullptr;
    in.commands().set(name, runPluginCommand);
    return in.commands().find(name);
  });
}

}  // namespace mel::host
