#include "engine/PluginRegistry.h"
#include "engine/UndoQueue.h"

#include <dlfcn.h>

#include <filesystem>

#include <algorithm>
#include <cstring>
#include <typeinfo>

#include "engine/Handles.h"
#include "engine/ScriptHost.h"

namespace minihost {
namespace {

using EntryPoint = MStatus (*)(MObject);

// The linkage name of a plug-in's entry point `MStatus <function>(MObject)`: a global function
// with C++ linkage, whose one parameter names MObject with its API namespace. The class's type
// name is that parameter's encoding in the Itanium C++ ABI the host and its plug-ins share.
std::string entryPointSymbol(const std::string& function) {
  return "_Z" + std::to_string(function.size()) + function + typeid(MObject).name();
}

EntryPoint findEntryPoint(void* handle, const char* function) {
  return reinterpret_cast<EntryPoint>(dlsym(handle, entryPointSymbol(function).c_str()));
}

std::string baseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = file.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

// The version datum is text of bounded length; a symbol without a terminator within
// the bound is refused rather than read past.
bool readVersion(const char* text, std::string& out) {
  constexpr size_t kMaxVersionLength = 64;
  for (size_t i = 0; i < kMaxVersionLength; ++i) {
    if (text[i] == '\0') {
      out.assign(text, i);
      return true;
    }
  }
  return false;
}

}  // namespace

PluginRegistry& PluginRegistry::get() {
  static PluginRegistry registry;
  return registry;
}

int PluginRegistry::findPlugin(const std::string& nameOrPath) const {
  for (size_t i = 0; i < plugins_.size(); ++i) {
    const Plugin& p = plugins_[i];
    if (p.alive && (p.info.name == nameOrPath || p.info.path == nameOrPath)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool PluginRegistry::isLoaded(const std::string& nameOrPath) const {
  return findPlugin(nameOrPath) >= 0;
}

std::vector<PluginInfo> PluginRegistry::loaded() const {
  std::vector<PluginInfo> out;
  for (const Plugin& p : plugins_) {
    if (p.alive)
      out.push_back(p.info);
  }
  return out;
}

bool PluginRegistry::load(const std::string& path, std::string* error) {
  std::string name = baseName(path);
  if (findPlugin(name) >= 0) {
    if (error)
      *error = "Plug-in '" + name + "' is already loaded";
    return false;
  }
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    if (error)
      *error = std::string("Cannot load plug-in: ") + (why ? why : path);
    return false;
  }
  // The host looks the entry points up by their C++ names: a plug-in that defines them with C
  // linkage, or hides them, does not load.
  auto init = findEntryPoint(handle, "initializePlugin");
  auto uninit = findEntryPoint(handle, "uninitializePlugin");
  const char* missing = !init ? "initializePlugin" : !uninit ? "uninitializePlugin" : nullptr;
  if (missing) {
    dlclose(handle);
    if (error)
      *error = std::string(missing) + " function could not be found in plug-in (" + path + ")";
    return false;
  }
  const char* version = static_cast<const char*>(dlsym(handle, "MApiVersion"));
  std::string apiVersion;
  if (!version || !readVersion(version, apiVersion)) {
    dlclose(handle);
    if (error)
      *error = "'" + path + "' is not a plug-in: it does not export its MApiVersion text";
    return false;
  }
  Plugin p;
  p.info.name = name;
  p.info.path = path;
  std::error_code ignored;
  p.info.loadFolder =
      std::filesystem::absolute(std::filesystem::path(path), ignored).parent_path().string();
  p.info.apiVersion = apiVersion;
  p.handle = handle;
  p.generation = nextGeneration_++;
  p.alive = true;
  plugins_.push_back(p);
  uint32_t index = static_cast<uint32_t>(plugins_.size() - 1);
  MObject object = HandleAccess::pluginObject(index, p.generation);
  MStatus status = init(object);
  if (!status) {
    // A plug-in that fails to initialise is taken out again with anything it registered.
    withdraw(index);
    plugins_[index].alive = false;
    dlclose(handle);
    if (error)
      *error = "initializePlugin of '" + name + "' failed";
    return false;
  }
  return true;
}

void PluginRegistry::withdraw(uint32_t index) {
  commands_.erase(std::remove_if(commands_.begin(), commands_.end(),
                                 [&](const CommandEntry& c) { return c.plugin == index; }),
                  commands_.end());
  translators_.erase(std::remove_if(translators_.begin(), translators_.end(),
                                    [&](const TranslatorEntry& t) { return t.plugin == index; }),
                     translators_.end());
}

bool PluginRegistry::unload(const std::string& nameOrPath, std::string* error) {
  int found = findPlugin(nameOrPath);
  if (found < 0) {
    if (error)
      *error = "Plug-in '" + nameOrPath + "' is not loaded";
    return false;
  }
  uint32_t index = static_cast<uint32_t>(found);
  Plugin& p = plugins_[index];
  // Commands of the plug-in may wait in the undo queue; their code is about to go.
  UndoQueue::get().flush();
  EntryPoint uninit = findEntryPoint(p.handle, "uninitializePlugin");
  MObject object = HandleAccess::pluginObject(index, p.generation);
  MStatus status = uninit ? uninit(object) : MStatus(MS::kFailure);
  bool leftovers = std::any_of(commands_.begin(), commands_.end(),
                               [&](const CommandEntry& c) { return c.plugin == index; }) ||
                   std::any_of(translators_.begin(), translators_.end(),
                               [&](const TranslatorEntry& t) { return t.plugin == index; });
  if (leftovers) {
    printWarning("Plug-in '" + p.info.name +
                 "' left commands or translators registered; they are removed");
    withdraw(index);
  }
  if (!status)
    printWarning("uninitializePlugin of '" + p.info.name + "' reported failure");
  void* handle = plugins_[index].handle;
  plugins_[index].alive = false;
  plugins_[index].handle = nullptr;
  dlclose(handle);
  return true;
}

PluginRegistry::Plugin* PluginRegistry::pluginFor(const MObject& object, uint32_t* index) {
  uint32_t i = 0, generation = 0;
  if (!HandleAccess::pluginRef(object, i, generation) || i >= plugins_.size())
    return nullptr;
  Plugin& p = plugins_[i];
  if (!p.alive || p.generation != generation)
    return nullptr;
  if (index)
    *index = i;
  return &p;
}

const PluginRegistry::Plugin* PluginRegistry::pluginFor(const MObject& object) const {
  return const_cast<PluginRegistry*>(this)->pluginFor(object, nullptr);
}

bool PluginRegistry::pluginAlive(const MObject& plugin) const {
  return pluginFor(plugin) != nullptr;
}

bool PluginRegistry::setPluginInfo(const MObject& plugin, const std::string& vendor,
                                   const std::string& version) {
  Plugin* p = pluginFor(plugin, nullptr);
  if (!p)
    return false;
  p->info.vendor = vendor;
  p->info.version = version;
  return true;
}

const PluginInfo* PluginRegistry::pluginInfo(const MObject& plugin) const {
  const Plugin* p = pluginFor(plugin);
  return p ? &p->info : nullptr;
}

MStatus PluginRegistry::registerCommand(const MObject& plugin, const std::string& name,
                                        MCreatorFunction creator, MCreateSyntaxFunction syntax) {
  uint32_t index = 0;
  if (!pluginFor(plugin, &index) || name.empty() || !creator)
    return MS::kInvalidParameter;
  if (findCommand(name))
    return MS::kFailure;
  commands_.push_back(CommandEntry{name, creator, syntax, index});
  return MS::kSuccess;
}

MStatus PluginRegistry::deregisterCommand(const MObject& plugin, const std::string& name) {
  uint32_t index = 0;
  if (!pluginFor(plugin, &index))
    return MS::kInvalidParameter;
  auto it = std::find_if(commands_.begin(), commands_.end(), [&](const CommandEntry& c) {
    return c.name == name && c.plugin == index;
  });
  if (it == commands_.end())
    return MS::kFailure;
  commands_.erase(it);
  return MS::kSuccess;
}

MStatus PluginRegistry::registerTranslator(const MObject& plugin, const TranslatorEntry& entry) {
  uint32_t index = 0;
  if (!pluginFor(plugin, &index) || entry.name.empty() || !entry.creator) {
    return MS::kInvalidParameter;
  }
  if (findTranslator(entry.name))
    return MS::kFailure;
  translators_.push_back(entry);
  translators_.back().plugin = index;
  return MS::kSuccess;
}

MStatus PluginRegistry::deregisterTranslator(const MObject& plugin, const std::string& name) {
  uint32_t index = 0;
  if (!pluginFor(plugin, &index))
    return MS::kInvalidParameter;
  auto it = std::find_if(translators_.begin(), translators_.end(), [&](const TranslatorEntry& t) {
    return t.name == name && t.plugin == index;
  });
  if (it == translators_.end())
    return MS::kFailure;
  translators_.erase(it);
  return MS::kSuccess;
}

const CommandEntry* PluginRegistry::findCommand(const std::string& name) const {
  for (const CommandEntry& c : commands_) {
    if (c.name == name)
      return &c;
  }
  return nullptr;
}

const TranslatorEntry* PluginRegistry::findTranslator(const std::string& name) const {
  for (const TranslatorEntry& t : translators_) {
    if (t.name == name)
      return &t;
  }
  return nullptr;
}

std::vector<std::string> PluginRegistry::commandNames() const {
  std::vector<std::string> out;
  for (const CommandEntry& c : commands_)
    out.push_back(c.name);
  return out;
}

std::vector<std::string> PluginRegistry::translatorNames() const {
  std::vector<std::string> out;
  for (const TranslatorEntry& t : translators_)
    out.push_back(t.name);
  return out;
}

MStatus PluginRegistry::runCommand(const std::string& name, const MArgList& args,
                                   CommandResult& result) {
  result.clear();
  const CommandEntry* entry = findCommand(name);
  if (!entry)
    return MS::kNotFound;
  MCreatorFunction creator = entry->creator;
  MPxCommand* command = static_cast<MPxCommand*>(creator());
  if (!command)
    return MS::kInsufficientMemory;
  // A command may run other commands through the script layer; keep the outer
  // call's partial result apart from theirs.
  CommandResult& shared = currentCommandResult();
  CommandResult outer = shared;
  shared.clear();
  MStatus status = command->doIt(args);
  // An undoable command joins the undo queue, which undoes and redoes it through undoIt and
  // redoIt; any other is done with.
  if (status && command->isUndoable() && UndoQueue::get().enabled())
    UndoQueue::get().addCommand(std::unique_ptr<MPxCommand>(command), name);
  else
    delete command;
  result = shared;
  shared = outer;
  return status;
}

std::unique_ptr<MPxFileTranslator> PluginRegistry::createTranslator(const std::string& name) {
  const TranslatorEntry* entry = findTranslator(name);
  if (!entry)
    return nullptr;
  return std::unique_ptr<MPxFileTranslator>(static_cast<MPxFileTranslator*>(entry->creator()));
}

}  // namespace minihost
