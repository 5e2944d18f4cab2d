#include "mesh_export/MeshExportCommand.h"

#include <maya/MString.h>

#include <new>

#include "boundary/base/GFile.h"
#include "boundary/base/GString.h"
#include "mesh_export/MeshExportJob.h"
#include "mesh_model/MeshFileName.h"

MeshExportCommand::MeshExportCommand() {
  setCommandString(MString(kName));
}

MeshExportCommand::~MeshExportCommand() = default;

void* MeshExportCommand::creator() {
  return new (std::nothrow) MeshExportCommand();
}

MStatus MeshExportCommand::doIt(const MArgList& args) {
  status = MStatus(MS::kSuccess);
  GString fileBase;
  bool frameGiven = false;
  int frameNumber = 0;

  if (args.length() > 0) {
    unsigned int i = 0;
    do {
      if (!status)
        return status;
      const MString word = args.asString(i, &status);
      if (!status)
        break;
      if (word == "-file") {
        ++i;
        const MString value = args.asString(i, &status);
        fileBase = GString(value.asChar(), value.length());
      } else if (word == "-frame") {
        ++i;
        frameGiven = true;
        frameNumber = args.asInt(i, &status);
      }
      ++i;
    } while (i < args.length());
  }
  if (!status)
    return status;

  // A sequence written by a script must not look written when it is not: a file that cannot be
  // created, written or closed fails the command and names the file.
  const GFile path = meshFileName(fileBase, frameGiven, frameNumber);
  const MeshExportResult result = exportSelectedMeshes(path);
  if (result.outcome != MeshExportOutcome::kWritten) {
    status = MStatus(MS::kFailure);
    status.perror(MString(kName) + ": " + meshExportFailureText(result, path).c_str());
  }
  return status;
}
