#include "mesh_export/MeshTranslator.h"

#include <new>

#include "boundary/base/GIO.h"
#include "boundary/base/GString.h"
#include "boundary/base/ifpstream.h"
#include "boundary/base/ofpstream.h"
#include "mesh_model/MeshFileFormat.h"
#include "mesh_export/MeshWriter.h"
#include "shell/ErrorReport.h"

MeshTranslator::~MeshTranslator() = default;

void* MeshTranslator::creator() {
  return new (std::nothrow) MeshTranslator();
}

// Both an export of everything and an export of the selection write the selected meshes; the
// path is used as the host gives it. The stream replaces the file only when everything was
// written and closed, so a failed export leaves an earlier file at the path as it was.
MStatus MeshTranslator::writer(const MFileObject& file, const MString& /*optionsString*/,
                               FileAccessMode /*mode*/) {
  const MString path = file.expandedFullName();
  ofpstream out(path.asChar(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  if (out.fail())
    return MStatus(MS::kFailure);
  GString nonFiniteMesh;
  if (!writeSelectedMeshes(out, nonFiniteMesh)) {
    out.abandon();
    GString message("VXR PolyMesh. Can't export mesh ");
    message += nonFiniteMesh;
    message += ": a value is too large for the file or not a number. Nothing was written to ";
    message += path.asChar();
    message += "\n";
    reportError(message);
    return MStatus(MS::kFailure);
  }
  if (!out.close())
    return MStatus(MS::kFailure);
  return MStatus(MS::kSuccess);
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
  return MString("vxrmesh");
}

bool MeshTranslator::canBeOpened() const {
  return false;
}

MPxFileTranslator::MFileKind MeshTranslator::identifyFile(const MFileObject& /*file*/,
                                                          const char* buffer, short size) const {
  return isMeshFileStart(buffer, size) ? kIsMyFileType : kNotMyFileType;
}
