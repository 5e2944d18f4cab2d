#include <maya/MFnPlugin.h>

#include "engine/PluginRegistry.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::PluginRegistry;

MFnPlugin::MFnPlugin() = default;

MFnPlugin::MFnPlugin(MObject& object, const char* vendor, const char* version,
                     const char* requiredApiVersion, MStatus* ReturnStatus)
    : vendor_(vendor), version_(version), requiredApiVersion_(requiredApiVersion) {
  MStatus s = setObject(object);
  if (s)
    PluginRegistry::get().setPluginInfo(object_, vendor_.asChar(), version_.asChar());
  if (ReturnStatus)
    *ReturnStatus = s;
}

MFnPlugin::~MFnPlugin() = default;
MFn::Type MFnPlugin::type() const {
  return MFn::kPlugin;
}

MString MFnPlugin::vendor(MStatus* ReturnStatus) const {
  const minihost::PluginInfo* info = PluginRegistry::get().pluginInfo(object_);
  if (ReturnStatus)
    *ReturnStatus = info ? MS::kSuccess : MS::kFailure;
  return info ? MString(info->vendor.c_str()) : MString();
}

MString MFnPlugin::version(MStatus* ReturnStatus) const {
  const minihost::PluginInfo* info = PluginRegistry::get().pluginInfo(object_);
  if (ReturnStatus)
    *ReturnStatus = info ? MS::kSuccess : MS::kFailure;
  return info ? MString(info->version.c_str()) : MString();
}

MString MFnPlugin::apiVersion(MStatus* ReturnStatus) const {
  const minihost::PluginInfo* info = PluginRegistry::get().pluginInfo(object_);
  if (ReturnStatus)
    *ReturnStatus = info ? MS::kSuccess : MS::kFailure;
  return info ? MString(info->apiVersion.c_str()) : MString();
}

MString MFnPlugin::name(MStatus* ReturnStatus) const {
  const minihost::PluginInfo* info = PluginRegistry::get().pluginInfo(object_);
  if (ReturnStatus)
    *ReturnStatus = info ? MS::kSuccess : MS::kFailure;
  return info ? MString(info->name.c_str()) : MString();
}

MString MFnPlugin::loadPath(MStatus* ReturnStatus) const {
  const minihost::PluginInfo* info = PluginRegistry::get().pluginInfo(object_);
  if (ReturnStatus)
    *ReturnStatus = info ? MS::kSuccess : MS::kFailure;
  return info ? MString(info->loadFolder.c_str()) : MString();
}

MStatus MFnPlugin::registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                                   MCreateSyntaxFunction createSyntaxFunction) {
  return PluginRegistry::get().registerCommand(object_, commandName.asChar(), creatorFunction,
                                               createSyntaxFunction);
}

MStatus MFnPlugin::deregisterCommand(const MString& commandName) {
  return PluginRegistry::get().deregisterCommand(object_, commandName.asChar());
}

MStatus MFnPlugin::registerFileTranslator(const MString& translatorName, const char* pixmapName,
                                          MCreatorFunction creatorFunction,
                                          const char* optionsScriptName,
                                          const char* defaultOptionsString, bool requiresFullMel) {
  minihost::TranslatorEntry entry;
  entry.name = translatorName.asChar();
  entry.pixmap = pixmapName ? pixmapName : "";
  entry.optionsScript = optionsScriptName ? optionsScriptName : "";
  entry.defaultOptions = defaultOptionsString ? defaultOptionsString : "";
  entry.requiresFullMel = requiresFullMel;
  entry.creator = creatorFunction;
  return PluginRegistry::get().registerTranslator(object_, entry);
}

MStatus MFnPlugin::deregisterFileTranslator(const MString& translatorName) {
  return PluginRegistry::get().deregisterTranslator(object_, translatorName.asChar());
}

OPENMAYA_NAMESPACE_CLOSE
