#include "mesh_export/MeshRecordWriter.h"

#include "boundary/base/GString.h"
#include "boundary/base/opstream.h"
#include "mesh_export/FileAxes.h"
#include "mesh_export/MeshFileFormat.h"

void PolygonBlock::clear() {
  cornerCounts.clear();
  vertexIds.clear();
  normalIds.clear();
  uvs.clear();
  faceNormals.clear();
}

void PolygonBlock::reserve(std::size_t polygons, std::size_t corners) {
  cornerCounts.reserve(polygons);
  vertexIds.reserve(corners);
  normalIds.reserve(corners);
  uvs.reserve(2 * corners);
  faceNormals.reserve(3 * polygons);
}

void MeshRecordWriter::writeHeader(const GString& name) {
  out_.writeDWord(kMeshRecordMagic);
  out_.writeByte(kMeshRecordVersion);
  out_ << name;
}

void MeshRecordWriter::writePoints(const float* xyz, std::size_t count) {
  writeVectors(xyz, count);
}

void MeshRecordWriter::writeNormals(const float* xyz, std::size_t count) {
  writeVectors(xyz, count);
}

void MeshRecordWriter::writePolygonCount(std::uint32_t count) {
  out_.writeDWord(count);
}

void MeshRecordWriter::writeVectors(const float* xyz, std::size_t count) {
  out_.writeDWord(static_cast<std::uint32_t>(count));
  const float* end = xyz + 3 * count;
  for (const float* v = xyz; v != end; v += 3) {
    const FileVector<float> f = toFileAxes(v[0], v[1], v[2], upAxisIsZ_);
    out_ << f.x << f.y << f.z;
  }
}

void MeshRecordWriter::writePolygons(const PolygonBlock& block) {
  const std::uint32_t* vertexId = block.vertexIds.data();
  const std::uint32_t* normalId = block.normalIds.data();
  const float* uv = block.uvs.data();
  const double* faceNormal = block.faceNormals.data();
  for (std::uint32_t corners : block.cornerCounts) {
    out_.writeDWord(corners);
    for (std::uint32_t j = 0; j < corners; ++j) {
      out_.writeDWord(*vertexId++);
      out_.writeDWord(*normalId++);
      out_ << uv[0] << uv[1];
      uv += 2;
    }
    const FileVector<double> f =
        toFileAxes(faceNormal[0], faceNormal[1], faceNormal[2], upAxisIsZ_);
    out_ << f.x << f.y << f.z;
    faceNormal += 3;
  }
}
