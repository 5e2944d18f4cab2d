#include "mesh_model/MeshFileName.h"

GFile meshFileName(const GString& base, bool frameGiven, int frameNumber) {
  GFile path(base);
  if (frameGiven)
    path += GString::Format(".%04d", frameNumber);
  path += ".vxrmesh";
  return path;
}
