#include "mesh_export/MeshTranslator.h"

#include <new>

#include "boundary/base/GFile.h"
#include "boundary/base/GIO.h"
#include "boundary/base/GString.h"
#include "boundary/base/ifpstream.h"
#include "mesh_export/MeshExportJob.h"
#include "mesh_model/MeshFileFormat.h"
#include "shell/ErrorReport.h"

MeshTranslator::~MeshTranslator() = default;

void* MeshTranslator::creator() {
  return new (std::nothrow) MeshTranslator();
}

// Both an export of everything and an export of the selection write the selected meshes; the
// path is used as the host gives it. A file that cannot be created fails the export without a
// message of the translator's own (the host reports the failed export); any other failure is
// reported, and the earlier file at the path stays as it was.
MStatus MeshTranslator::writer(const MFileObject& file, const MString& /*optionsString*/,
                               FileAccessMode /*mode*/) {
  const MString name = file.expandedFullName();
  const GFile path(GString(name.asChar(), name.length()));
  const MeshExportResult result = exportSelectedMeshes(path);
  switch (result.outcome) {
    case MeshExportOutcome::kWritten:
      return MStatus(MS::kSuccess);
    case MeshExportOutcome::kValueNotFinite: {
      GString message(kName);
      message += ": ";
      message += meshExportFailureText(result, path);
      message += "\n";
      reportError(message);
      return MStatus(MS::kFailure);
    }
    case MeshExportOutcome::kCannotCreate:
    case MeshExportOutcome::kCannotFinish:
      break;
  }
  return MStatus(MS::kFailure);
}

// Nothing is read: the mesh file has no place in the scene. The import succeeds when the file
// can be opened.
MStatus MeshTranslator::reader(const MFileObject& file, const MString& /*optionsString*/,
                               FileAccessMode /*mode*/) {
  const MString path = file.expandedFullName();
  ifpstream in(path.asChar(), GIO::IORead, GFileIO::IOOpenExisting, GFileIO::IOShareRead);
  if (in.fail())
    return MStatus(MS::kFailure);
  in.close();
  return MStatus(MS::kSuccess);
}

bool MeshTranslator::haveReadMethod() const {
  return true;
}

bool MeshTranslator::haveWriteMethod() const {
  return true;
}

MString MeshTranslator::defaultExtension() const {
  return MString(kMeshFileExtension);
}

bool MeshTranslator::canBeOpened() const {
  return false;
}

MPxFileTranslator::MFileKind MeshTranslator::identifyFile(const MFileObject& /*file*/,
                                                          const char* buffer, short size) const {
  return isMeshFileStart(buffer, size) ? kIsMyFileType : kNotMyFileType;
}
