#pragma once

#include <cstdint>

#include "boundary/base/GString.h"

struct MeshFloat3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

struct MeshDouble3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

// One corner of a polygon: indices into the record's points and normals, and its UV.
struct MeshCorner {
  std::uint32_t vertexIndex = 0;
  std::uint32_t normalIndex = 0;
  float u = 0.0f;
  float v = 0.0f;
};

// Receives one mesh record piece by piece, in file order, as MeshRecordReader reads it, so that
// a whole mesh never has to be held in memory. Every call has an empty default.
//
// The order: beginRecord, beginPoints, point × n, beginNormals, normal × n, beginPolygons, then
// per polygon beginPolygon, corner × n, endPolygon; finally endRecord. A record cut short ends
// with endRecord(false) right after the last piece that could be read.
class MeshRecordVisitor {
 public:
  virtual ~MeshRecordVisitor() = default;

  // `offset`: the byte offset of the record's magic in the file.
  virtual void beginRecord(std::uint32_t /*recordIndex*/, std::uint64_t /*offset*/,
                           const GString& /*name*/) {}
  virtual void beginPoints(std::uint32_t /*count*/) {}
  virtual void point(const MeshFloat3& /*position*/) {}
  virtual void beginNormals(std::uint32_t /*count*/) {}
  virtual void normal(const MeshFloat3& /*direction*/) {}
  virtual void beginPolygons(std::uint32_t /*count*/) {}
  virtual void beginPolygon(std::uint32_t /*cornerCount*/) {}
  virtual void corner(const MeshCorner& /*corner*/) {}
  virtual void endPolygon(const MeshDouble3& /*faceNormal*/) {}
  // `complete` is false when the record was cut short or is not a record at all.
  virtual void endRecord(bool /*complete*/) {}
};
