#pragma once

#include "boundary/base/GFile.h"
#include "boundary/base/GString.h"

// What one export of the selected meshes into one file came to.
enum class MeshExportOutcome {
  kCannotCreate,    // the file could not be created; nothing was written
  kValueNotFinite,  // a mesh holds a value the file cannot carry; the earlier file is kept
  kCannotFinish,    // writing or closing the file failed; the earlier file is kept
  kWritten,         // the file holds every selected mesh
};

struct MeshExportResult {
  MeshExportOutcome outcome;
  GString refusedMesh;  // full path of the mesh that stopped the export (kValueNotFinite)
};

// The one export job behind the "VXR PolyMesh" translator and VXR_MeshExportCmd: writes the
// selected meshes into `path`, replacing an earlier file only when the new one is complete.
MeshExportResult exportSelectedMeshes(const GFile& path);

// The one wording of a failed export (without the front end's prefix), so that a fault reads
// the same whichever front end met it. Empty for kWritten.
GString meshExportFailureText(const MeshExportResult& result, const GFile& path);
