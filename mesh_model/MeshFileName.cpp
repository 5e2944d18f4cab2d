#include "mesh_model/MeshFileName.h"

#include "mesh_model/MeshFileFormat.h"

GFile meshFileName(const GString& base, bool frameGiven, int frameNumber) {
  GFile path(base);
  if (frameGiven)
    path += GString::Format(".%04d", frameNumber);
  path += ".";
  path += kMeshFileExtension;
  return path;
}
