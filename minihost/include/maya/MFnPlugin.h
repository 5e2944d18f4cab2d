#pragma once
// Function set through which a plug-in registers its translators and commands.
//
// A plug-in defines the entry points the host calls, with C++ linkage:
//   MStatus initializePlugin(MObject obj);
//   MStatus uninitializePlugin(MObject obj);
// and exports them with PLUGIN_EXPORT. The host finds them by their linkage names, which
// carry the API namespace of MObject and MStatus. This header declares neither. It does
// include MApiVersion.h, which defines the exported MApiVersion datum unless the source
// defines MNoVersionString first.

#include <maya/MApiVersion.h>
#include <maya/MFnBase.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

// Makes a new instance of a registered class for the host; null when out of memory.
typedef void* (*MCreatorFunction)();
typedef MSyntax (*MCreateSyntaxFunction)();

OPENMAYA_MAJOR_NAMESPACE_OPEN

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

OPENMAYA_NAMESPACE_CLOSE
