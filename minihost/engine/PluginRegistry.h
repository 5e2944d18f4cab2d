#pragma once
// Loaded plug-ins and what they registered: commands and file translators.
// Loading opens the module with dlopen, finds initializePlugin and uninitializePlugin by
// their C++ names, reads its exported MApiVersion text and calls initializePlugin; unloading calls
// uninitializePlugin, withdraws anything the plug-in left registered (its creators are about to
// vanish), then dlcloses it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <maya/MArgList.h>
#include <maya/MFnPlugin.h>
#include <maya/MPxCommand.h>
#include <maya/MPxFileTranslator.h>

#include "engine/CommandResult.h"

namespace minihost {

struct CommandEntry {
  std::string name;
  MCreatorFunction creator = nullptr;
  MCreateSyntaxFunction syntaxCreator = nullptr;
  uint32_t plugin = 0;
};

struct TranslatorEntry {
  std::string name;
  std::string pixmap;
  std::string optionsScript;   // empty when none was given
  std::string defaultOptions;  // empty when none was given
  bool requiresFullMel = false;
  MCreatorFunction creator = nullptr;
  uint32_t plugin = 0;
};

struct PluginInfo {
  std::string name;  // file name without directory and extension
  std::string path;
  // The full path of the folder the file was loaded from (what MFnPlugin::loadPath reports),
  // fixed at load so that a later change of the current folder does not move it.
  std::string loadFolder;
  std::string apiVersion;
  std::string vendor;
  std::string version;
};

class PluginRegistry {
 public:
  static PluginRegistry& get();

  bool load(const std::string& path, std::string* error);
  // By plug-in name or by the path it was loaded from.
  bool unload(const std::string& nameOrPath, std::string* error);
  bool isLoaded(const std::string& nameOrPath) const;
  std::vector<PluginInfo> loaded() const;

  // Called by MFnPlugin for the plug-in object it is attached to.
  MStatus registerCommand(const MObject& plugin, const std::string& name, MCreatorFunction creator,
                          MCreateSyntaxFunction syntax);
  MStatus deregisterCommand(const MObject& plugin, const std::string& name);
  MStatus registerTranslator(const MObject& plugin, const TranslatorEntry& entry);
  MStatus deregisterTranslator(const MObject& plugin, const std::string& name);
  bool pluginAlive(const MObject& plugin) const;
  bool setPluginInfo(const MObject& plugin, const std::string& vendor, const std::string& version);
  const PluginInfo* pluginInfo(const MObject& plugin) const;

  const CommandEntry* findCommand(const std::string& name) const;
  const TranslatorEntry* findTranslator(const std::string& name) const;
  std::vector<std::string> commandNames() const;     // registration order
  std::vector<std::string> translatorNames() const;  // registration order

  // Runs a plug-in command: a fresh instance from the creator, doIt, the result
  // it set, then the instance deleted. Fails for an unknown name or a null creation.
  MStatus runCommand(const std::string& name, const MArgList& args, CommandResult& result);
  // A translator instance owned by the caller; null for an unknown name.
  std::unique_ptr<MPxFileTranslator> createTranslator(const std::string& name);

  // Access mode of the file operation in progress (MPxFileTranslator::fileAccessMode).
  MPxFileTranslator::FileAccessMode accessMode() const { return accessMode_; }
  void setAccessMode(MPxFileTranslator::FileAccessMode mode) { accessMode_ = mode; }

 private:
  struct Plugin {
    PluginInfo info;
    void* handle = nullptr;
    uint32_t generation = 0;
    bool alive = false;
  };
  PluginRegistry() = default;
  Plugin* pluginFor(const MObject& object, uint32_t* index = nullptr);
  const Plugin* pluginFor(const MObject& object) const;
  int findPlugin(const std::string& nameOrPath) const;
  void withdraw(uint32_t index);

  std::vector<Plugin> plugins_;
  uint32_t nextGeneration_ = 1;
  std::vector<CommandEntry> commands_;
  std::vector<TranslatorEntry> translators_;
  MPxFileTranslator::FileAccessMode accessMode_ = MPxFileTranslator::kUnknownAccessMode;
};

}  // namespace minihost
