#include "mesh_model/MeshFileFormat.h"

#include "boundary/base/GIO.h"
#include "boundary/base/impstream.h"

bool isMeshFileStart(const char* buffer, long size) {
  if (buffer == nullptr || size < kMeshRecordIdentifySize)
    return false;
  impstream in(buffer, size, GIO::IORead);
  if (in.readDWord() != kMeshRecordMagic)
    return false;
  const std::uint8_t version = in.readByte();
  return !in.fail() && version <= kMeshRecordVersion;
}
