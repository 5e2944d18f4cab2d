#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "boundary/base/ByteOrder.h"
#include "boundary/base/opstream.h"
#include "mesh_model/FileAxes.h"

class GString;

// Encodes mesh records into an output stream, field by field in file order: the header, the
// point list, the normal list, the polygon count, then each polygon. Vectors are given in the
// host's axes; the writer turns them. It knows nothing of the host, so the layout can be checked
// without one.
//
// The lists and polygons of a million-polygon mesh are written value by value, so each group of
// values (a vector, a whole polygon record, or for a large polygon each corner) is stored
// straight into the stream's buffer through one opstream::reserve, with the stream's encoding
// of each primitive (DWord and float as 4 little-endian bytes, double as 8): the bytes are
// exactly those of one stream primitive per value, with the cursor moved once per group and
// every call inline.
//
// A value that is not finite in the file (a point beyond the Float range, a NaN) would make the
// file damaged for every reader; the writer notes one as it stores it, so the caller can refuse
// the file without a second pass over the values.
class MeshRecordWriter {
 public:
  MeshRecordWriter(opstream& out, bool upAxisIsZ) : out_(out), upAxisIsZ_(upAxisIsZ) {}
  MeshRecordWriter(const MeshRecordWriter&) = delete;
  MeshRecordWriter& operator=(const MeshRecordWriter&) = delete;

  // Whether any value stored so far is an infinity or a NaN.
  bool wroteNonFinite() const { return nonFinite_; }

  // Magic, version and the mesh's name.
  void writeHeader(const GString& name);

  // A point or normal list: its count, then x, y, z of each vector as Floats. The caller writes
  // exactly `count` vectors after the count.
  void writeVectorCount(std::uint32_t count) { writeCount(count); }
  void writeVector(float x, float y, float z) {
    const FileVector<float> f = toFileAxes(x, y, z, upAxisIsZ_);
    char* at = out_.reserve(12);
    putFloat(at, f.x);
    putFloat(at + 4, f.y);
    putFloat(at + 8, f.z);
  }
  // A whole list at once; `xyz` holds 3 * count values.
  void writeVectors(const float* xyz, std::size_t count);

  void writePolygonCount(std::uint32_t count) { writeCount(count); }

  // One polygon record: the corner count, `corners` corner groups (vertex index, normal index,
  // u, v) in the polygon's vertex order, then the face normal as three Doubles.
  void beginPolygon(std::uint32_t corners) { gbyteorder::store32(out_.reserve(4), corners); }
  void writeCorner(std::uint32_t vertexId, std::uint32_t normalId, float u, float v) {
    putCorner(out_.reserve(16), vertexId, normalId, u, v);
  }
  void endPolygon(double x, double y, double z) { putFaceNormal(out_.reserve(24), x, y, z); }

  // The same polygon record from callbacks, stored into room taken once for the whole record
  // when the polygon fits one room and group by group otherwise: cornerAt(j) gives corner j as
  // a Corner, faceNormal() the face normal in the host's axes (asked for after the corners, as
  // the host's walk gives it).
  struct Corner {
    std::uint32_t vertexId, normalId;
    float u, v;
  };
  struct Normal {
    double x, y, z;
  };
  template <class CornerAt, class FaceNormal>
  void writePolygon(std::uint32_t corners, CornerAt cornerAt, FaceNormal faceNormal) {
    if (char* record = beginPackedPolygon(corners)) {
      for (std::uint32_t j = 0; j < corners; ++j) {
        const Corner c = cornerAt(j);
        putCorner(corner(record, j), c.vertexId, c.normalId, c.u, c.v);
      }
      const Normal n = faceNormal();
      putFaceNormal(MeshRecordWriter::faceNormal(record, corners), n.x, n.y, n.z);
      return;
    }
    beginPolygon(corners);
    for (std::uint32_t j = 0; j < corners; ++j) {
      const Corner c = cornerAt(j);
      writeCorner(c.vertexId, c.normalId, c.u, c.v);
    }
    const Normal n = faceNormal();
    endPolygon(n.x, n.y, n.z);
  }

  // Room for a whole polygon record of at most maxPackedCorners corners, its corner count
  // stored; each corner j goes at corner(at, j) and the face normal at faceNormal(at, corners).
  // A larger polygon gets null and nothing is written.
  static constexpr std::uint32_t maxPackedCorners =
      static_cast<std::uint32_t>((opstream::maxReserve - 4 - 24) / 16);
  char* beginPackedPolygon(std::uint32_t corners) {
    if (corners > maxPackedCorners)
      return nullptr;
    char* at = out_.reserve(4 + 16 * std::size_t(corners) + 24);
    gbyteorder::store32(at, corners);
    return at;
  }

 private:
  static char* corner(char* polygon, std::uint32_t j) { return polygon + 4 + 16 * std::size_t(j); }
  static char* faceNormal(char* polygon, std::uint32_t corners) { return corner(polygon, corners); }
  void putCorner(char* at, std::uint32_t vertexId, std::uint32_t normalId, float u, float v) {
    gbyteorder::store32(at, vertexId);
    gbyteorder::store32(at + 4, normalId);
    putFloat(at + 8, u);
    putFloat(at + 12, v);
  }
  void putFaceNormal(char* at, double x, double y, double z) {
    const FileVector<double> f = toFileAxes(x, y, z, upAxisIsZ_);
    putDouble(at, f.x);
    putDouble(at + 8, f.y);
    putDouble(at + 16, f.z);
  }

  void writeCount(std::uint32_t count);

  // An exponent of all ones is an infinity or a NaN; testing the bits already in hand costs the
  // loops nothing measurable.
  void putFloat(char* at, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    nonFinite_ |= (bits & 0x7f800000u) == 0x7f800000u;
    gbyteorder::store32(at, bits);
  }
  void putDouble(char* at, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    nonFinite_ |= (bits & 0x7ff0000000000000u) == 0x7ff0000000000000u;
    gbyteorder::store64(at, bits);
  }

  opstream& out_;
  bool upAxisIsZ_;
  bool nonFinite_ = false;
};
