#include "mesh_export/MeshExportCommand.h"

#include <maya/MString.h>

#include <new>

#include "boundary/base/GFile.h"
#include "boundary/base/GIO.h"
#include "boundary/base/GString.h"
#include "boundary/base/ofpstream.h"
#include "mesh_model/MeshFileName.h"
#include "mesh_export/MeshWriter.h"

MeshExportCommand::MeshExportCommand() {
  setCommandString(MString("VXR_MeshExportCmd"));
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

  const GFile path = meshFileName(fileBase, frameGiven, frameNumber);
  ofpstream out(path, GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  // A sequence written by a script must not look written when it is not: a file that cannot be
  // created, written or closed fails the command and names the file. The stream keeps an earlier
  // file at the path until the new one is complete.
  if (out.fail()) {
    status = MStatus(MS::kFailure);
    status.perror(MString("VXR_MeshExportCmd: can't create the mesh file ") + path.c_str());
    return status;
  }
  GString nonFiniteMesh;
  if (!writeSelectedMeshes(out, nonFiniteMesh)) {
    out.abandon();
    status = MStatus(MS::kFailure);
    status.perror(MString("VXR_MeshExportCmd: can't export the mesh ") + nonFiniteMesh.c_str() +
                  ": a value is too large for the file or not a number (nothing written to " +
                  path.c_str() + ")");
    return status;
  }
  if (!out.close()) {
    status = MStatus(MS::kFailure);
    status.perror(MString("VXR_MeshExportCmd: can't write the mesh file ") + path.c_str());
    return status;
  }
  return status;
}
