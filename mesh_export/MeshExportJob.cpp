#include "mesh_export/MeshExportJob.h"

#include "boundary/base/GIO.h"
#include "boundary/base/ofpstream.h"
#include "mesh_export/MeshExportMessages.h"
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
      text = meshExportMessages::kCantCreateFile;
      text += path.path();
      break;
    case MeshExportOutcome::kValueNotFinite:
      text = meshExportMessages::kCantExportMesh;
      text += result.refusedMesh;
      text += meshExportMessages::kValueNotFinite;
      text += path.path();
      text += ")";
      break;
    case MeshExportOutcome::kCannotFinish:
      text = meshExportMessages::kCantWriteFile;
      text += path.path();
      break;
    case MeshExportOutcome::kWritten:
      break;
  }
  return text;
}
