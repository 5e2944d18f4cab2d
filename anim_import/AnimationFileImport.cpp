#include "anim_import/AnimationFileImport.h"

#include <maya/MGlobal.h>

#include <cstdint>
#include <fstream>
#include <iostream>

#include "anim_import/AnimationFileReading.h"
#include "anim_import/DocumentRegistry.h"
#include "anim_import/ImportMessages.h"
#include "boundary/base/GString.h"
#include "shell/ErrorReport.h"
#include "shell/MessageTexts.h"
#include "shell/PluginFolder.h"

namespace {

const char kImportScript[] = "VXRAnimImport.mel";

bool fileExists(const MString& path) {
  return path.length() > 0 && std::ifstream(path.asChar()).good();
}

// The script installed with the module when it lies where the module keeps it; otherwise the
// bare name, which the host finds on its script path (a module file may name another scripts
// folder). Never a file in the current folder: the host's source does not look there.
bool sourceImportScript() {
  const MString own = moduleScriptPath(kImportScript);
  if (fileExists(own))
    return MGlobal::sourceFile(own) == MS::kSuccess;
  return MGlobal::sourceFile(MString(kImportScript)) == MS::kSuccess;
}

GString importCall(std::int32_t handle) {
  GString call("VXRAnimImportById(");
  call += GString::Format("%li", static_cast<long>(handle));
  call += ")";
  return call;
}

MStatus failImport(std::int32_t handle, const char* why) {
  // The script closes the document itself; closing a handle that names nothing does nothing.
  DocumentRegistry::instance().close(handle);
  GString message(importMessages::kPrefix);
  message += why;
  message += "\n";
  reportError(message);
  return MStatus(MS::kFailure);
}

// An interactive session runs the script once the host is idle, after this call has returned.
MStatus scheduleImport(std::int32_t handle) {
  GString job("scriptJob -runOnce true -conditionFalse \"busy\" \"");
  job += importCall(handle);
  job += "\";";
  std::cerr << job.c_str() << std::endl;
  if (!MGlobal::executeCommand(MString(job.c_str()), false, false))
    return failImport(handle, importMessages::kCantScheduleScript);
  return MStatus(MS::kSuccess);
}

// A batch session (batch mode, a standalone interpreter, a render-farm task) runs no script jobs:
// the script runs now, so the import is complete when this call returns. It answers 1 when it
// applied the document and 0 when it stopped early.
MStatus runImportNow(std::int32_t handle) {
  GString call = importCall(handle);
  call += ";";
  std::cerr << call.c_str() << std::endl;
  MString applied;
  const MStatus status = MGlobal::executeCommand(MString(call.c_str()), applied, false, true);
  if (!status || applied != MString("1"))
    return failImport(handle, importMessages::kScriptStoppedEarly);
  return MStatus(MS::kSuccess);
}

}  // namespace

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
  // Without the script nothing would import or free the document, so the import fails.
  if (!sourceImportScript())
    return failImport(result.handle, importMessages::kCantFindScript);
  if (MGlobal::mayaState() == MGlobal::kInteractive)
    return scheduleImport(result.handle);
  return runImportNow(result.handle);
}
