#pragma once

#include <string>
#include <vector>

#include "mesh_model/MeshRecordVisitor.h"

struct MeshPolygon {
  std::vector<MeshCorner> corners;
  MeshDouble3 faceNormal;
};

// One whole mesh record in memory: for small files, tests and the fuzz target. Tools that may
// meet large meshes take the pieces from MeshRecordVisitor instead.
struct MeshRecord {
  std::string name;  // the stored bytes, not necessarily UTF-8
  std::vector<MeshFloat3> points;
  std::vector<MeshFloat3> normals;
  std::vector<MeshPolygon> polygons;
  bool complete = false;
};

// Gathers every record it is shown into `records`. Storage grows with the values that really
// arrive, never with the counts a file claims.
class MeshRecordCollector : public MeshRecordVisitor {
 public:
  std::vector<MeshRecord> records;

  void beginRecord(std::uint32_t recordIndex, std::uint64_t offset, const GString& name) override;
  void point(const MeshFloat3& position) override { records.back().points.push_back(position); }
  void normal(const MeshFloat3& direction) override { records.back().normals.push_back(direction); }
  void beginPolygon(std::uint32_t cornerCount) override;
  void corner(const MeshCorner& corner) override {
    records.back().polygons.back().corners.push_back(corner);
  }
  void endPolygon(const MeshDouble3& faceNormal) override {
    records.back().polygons.back().faceNormal = faceNormal;
  }
  void endRecord(bool complete) override { records.back().complete = complete; }
};
