#include "mesh_model/MeshRecordWriter.h"

#include "boundary/base/GString.h"
#include "boundary/base/opstream.h"
#include "mesh_model/MeshFileFormat.h"

void MeshRecordWriter::writeHeader(const GString& name) {
  out_.writeDWord(kMeshRecordMagic);
  out_.writeByte(kMeshRecordVersion);
  out_ << name;
}

void MeshRecordWriter::writeCount(std::uint32_t count) {
  gbyteorder::store32(out_.reserve(4), count);
}

void MeshRecordWriter::writeVectors(const float* xyz, std::size_t count) {
  writeVectorCount(static_cast<std::uint32_t>(count));
  const float* end = xyz + 3 * count;
  for (const float* v = xyz; v != end; v += 3)
    writeVector(v[0], v[1], v[2]);
}
