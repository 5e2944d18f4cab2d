#pragma once
// Function set through which a plug-in registers its translators and commands.
// The plug-in itself exports initializePlugin, uninitializePlugin and the text datum
// MApiVersion (declared here so that every plug-in exports the same names).

#include <maya/MFnBase.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

#if defined(__GNUC__) || defined(__clang__)
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#else
#define PLUGIN_EXPORT
#endif

typedef void* (*MCreatorFunction)();
typedef MSyntax (*MCreateSyntaxFunction)();

extern "C" {
PLUGIN_EXPORT MStatus initializePlugin(MObject obj);
PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj);
// NUL-terminated API version text, e.g. "400"; the symbol is the text itself.
PLUGIN_EXPORT extern const char MApiVersion[];
}

class OPENMAYA_EXPORT MFnPlugin : public MFnBase {
 public:
  MFnPlugin();
  MFnPlugin(MObject& object, const char* vendor = "Unknown", const char* version = "Unknown",
            const char* requiredApiVersion = "Any", MStatus* ReturnStatus = 0L);
  ~MFnPlugin() override;
  MFn::Type type() const override;

  MString vendor(MStatus* ReturnStatus = NULL) const;
  MString version(MStatus* ReturnStatus = NULL) const;
  MString apiVersion(MStatus* ReturnStatus = NULL) const;
  MString name(MStatus* ReturnStatus = NULL) const;
  MString loadPath(MStatus* ReturnStatus = NULL) const;

  // Each registration fails (kFailure) for a name the host already knows.
  MStatus registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                          MCreateSyntaxFunction createSyntaxFunction = NULL);
  MStatus deregisterCommand(const MString& commandName);
  MStatus registerFileTranslator(const MString& translatorName, const char* pixmapName,
                                 MCreatorFunction creatorFunction,
                                 const char* optionsScriptName = NULL,
                                 const char* defaultOptionsString = NULL,
                                 bool requiresFullMel = false);
  MStatus deregisterFileTranslator(const MString& translatorName);

 private:
  MString vendor_;
  MString version_;
  MString requiredApiVersion_;
};
