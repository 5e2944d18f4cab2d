#include "mesh_export/MeshRecordWriter.h"

#include <cstring>

#include "boundary/base/ByteOrder.h"
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

namespace {

// Bytes are staged in a local buffer with the stream's own little-endian encoding of each
// primitive (DWord, float as its bit pattern, double as its bit pattern) and handed to the stream
// in large pieces. The bytes are exactly those of one stream primitive per value; staging only
// keeps the cursor in a register instead of going through the stream for every value of a
// million-polygon mesh.
class Stage {
 public:
  explicit Stage(opstream& out) : out_(out) {}
  ~Stage() { flush(); }
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  // Room for `bytes` (at most kSize) at the cursor.
  void need(std::size_t bytes) {
    if (static_cast<std::size_t>(buffer_ + kSize - cur_) < bytes)
      flush();
  }
  void dword(std::uint32_t value) {
    gbyteorder::store32(cur_, value);
    cur_ += 4;
  }
  void single(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    dword(bits);
  }
  void real(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    gbyteorder::store64(cur_, bits);
    cur_ += 8;
  }

 private:
  static constexpr std::size_t kSize = 16 * 1024;

  void flush() {
    out_.writeBytes(buffer_, static_cast<std::size_t>(cur_ - buffer_));
    cur_ = buffer_;
  }

  opstream& out_;
  char buffer_[kSize];
  char* cur_ = buffer_;
};

}  // namespace

void MeshRecordWriter::writeVectors(const float* xyz, std::size_t count) {
  out_.writeDWord(static_cast<std::uint32_t>(count));
  Stage stage(out_);
  const float* end = xyz + 3 * count;
  for (const float* v = xyz; v != end; v += 3) {
    const FileVector<float> f = toFileAxes(v[0], v[1], v[2], upAxisIsZ_);
    stage.need(12);
    stage.single(f.x);
    stage.single(f.y);
    stage.single(f.z);
  }
}

void MeshRecordWriter::writePolygons(const PolygonBlock& block) {
  const std::uint32_t* vertexId = block.vertexIds.data();
  const std::uint32_t* normalId = block.normalIds.data();
  const float* uv = block.uvs.data();
  const double* faceNormal = block.faceNormals.data();
  Stage stage(out_);
  for (std::uint32_t corners : block.cornerCounts) {
    stage.need(4);
    stage.dword(corners);
    for (std::uint32_t j = 0; j < corners; ++j) {
      stage.need(16);
      stage.dword(*vertexId++);
      stage.dword(*normalId++);
      stage.single(uv[0]);
      stage.single(uv[1]);
      uv += 2;
    }
    const FileVector<double> f =
        toFileAxes(faceNormal[0], faceNormal[1], faceNormal[2], upAxisIsZ_);
    stage.need(24);
    stage.real(f.x);
    stage.real(f.y);
    stage.real(f.z);
    faceNormal += 3;
  }
}
