#include "mesh_export/MeshExportJob.h"

#include "boundary/base/GIO.h"
#include "boundary/base/ofpstream.h"
#include "mesh_export/MeshWriter.h"

MeshExportResult exportSelectedMeshes(const GFile& path) {
  MeshExportResult result{MeshExportOutcome::kCannotCreate, GString()};
  ofpstream out(path, GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  if (out.fail())
    return result;
  if (!writeSelectedMeshes(out, result.refusedMesh)) {
    out.abandon();
    result.outcome = MeshExportOutcome::kValueNotFinite;
    return result;
  }
  result.outcome = out.close() ? MeshExportOutcome::kWritten : MeshExportOutcome::kCannotFinish;
  return result;
}

GString meshExportFailureText(const MeshExportResult& result, const GFile& path) {
  GString text;
  switch (result.outcome) {
    case MeshExportOutcome::kCannotCreate:
      text = "can't create the mesh file ";
      text += path.path();
      break;
    case MeshExportOutcome::kValueNotFinite:
      text = "can't export the mesh ";
      text += result.refusedMesh;
      text += ": a value is too large for the file or not a number (nothing written to ";
      text += path.path();
      text += ")";
      break;
    case MeshExportOutcome::kCannotFinish:
      text = "can't write the mesh file ";
      text += path.path();
      break;
    case MeshExportOutcome::kWritten:
      break;
  }
  return text;
}
