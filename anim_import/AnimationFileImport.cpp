#include "anim_import/AnimationFileImport.h"

#include <maya/MGlobal.h>

#include <iostream>

#include "anim_import/AnimationFileReading.h"
#include "anim_import/DocumentRegistry.h"
#include "boundary/base/GString.h"
#include "shell/ErrorReport.h"
#include "shell/MessageTexts.h"
#include "shell/PluginFolder.h"

MStatus importAnimation(const MString& fileName) {
  const AnimationReadResult result = readAnimationFile(fileName);
  switch (result.outcome) {
    case AnimationReadOutcome::kCannotOpen:
      return MStatus(MS::kFailure);
    case AnimationReadOutcome::kBadFile:
      reportError(kMsgCantOpenInputFile);
      return MStatus(MS::kFailure);
    case AnimationReadOutcome::kLoaded:
      break;
  }

  // The script does the scene work once the host is idle, after this call has returned; its
  // failures are the script's to report. It is the module's own script, sourced by its full
  // name: a same-named script in the current folder or earlier on the script path must never
  // run in its place. Without it nothing would import or free the document, so the import fails.
  const MString script = moduleScriptPath("VXRAnimImport.mel");
  if (script.length() == 0 || !MGlobal::sourceFile(script)) {
    DocumentRegistry::instance().close(result.handle);
    GString message("VXR animation. Can't source the import script installed with the plug-in: ");
    message += script.length() == 0 ? "the plug-in's folder is not known" : script.asChar();
    message += ".\n";
    reportError(message);
    return MStatus(MS::kFailure);
  }
  GString job("scriptJob -runOnce true -conditionFalse \"busy\" \"VXRAnimImportById(");
  job += GString::Format("%li", static_cast<long>(result.handle));
  job += ")\";";
  std::cerr << job.c_str() << std::endl;
  MGlobal::executeCommand(MString(job.c_str()), false, false);
  return MStatus(MS::kSuccess);
}
