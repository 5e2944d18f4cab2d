#pragma once
// Polygon mesh geometry in flat arrays: points, polygon corner lists with a prefix
// table of polygon starts, a normal list with one normal index per corner, and UV
// sets with one UV index per corner (-1: the corner has no UV in that set).

#include <string>
#include <vector>

namespace minihost {

struct UVSet {
  std::string name;
  std::vector<float> u;
  std::vector<float> v;
  std::vector<int> cornerIds;
};

class MeshData {
 public:
  MeshData();

  // Replaces the geometry. Every polygon needs at least three corners and every
  // corner a vertex index below pointCount; on failure nothing changes.
  bool build(std::vector<double> points, std::vector<int> polygonCounts, std::vector<int> connects,
             std::string* error);
  bool setNormals(std::vector<double> normals, std::vector<int> cornerNormalIds,
                  std::string* error);
  // One normal per polygon (its face normal), used by every corner of the polygon.
  void computeFaceNormals();

  int pointCount() const { return static_cast<int>(points_.size() / 3); }
  int polygonCount() const { return static_cast<int>(counts_.size()); }
  int cornerCount() const { return static_cast<int>(connects_.size()); }
  int normalCount() const { return static_cast<int>(normals_.size() / 3); }
  bool validPolygon(int p) const { return p >= 0 && p < polygonCount(); }
  int polygonSize(int p) const { return counts_[p]; }
  int polygonStart(int p) const { return starts_[p]; }
  // Unit face normal (Newell's method) in object space.
  void polygonNormal(int p, double out[3]) const;
  // The same normal from a table of every polygon's, worked out again only after the points
  // have been edited; polygon walks read it once per polygon.
  const double* cachedPolygonNormal(int p) const;

  // For editing the points; the face normal table is refreshed on its next read.
  std::vector<double>& editablePoints() {
    faceNormalsStale_ = true;
    return points_;
  }
  const std::vector<double>& points() const { return points_; }
  const std::vector<int>& counts() const { return counts_; }
  const std::vector<int>& connects() const { return connects_; }
  const std::vector<double>& normals() const { return normals_; }
  const std::vector<int>& normalIds() const { return normalIds_; }

  std::vector<UVSet>& uvSets() { return uvSets_; }
  const std::vector<UVSet>& uvSets() const { return uvSets_; }
  int currentUVSet() const { return currentUVSet_; }
  bool setCurrentUVSet(const std::string& name);
  // Index of the named set, or of the current set for an empty name; -1 if none.
  int findUVSet(const std::string& name) const;
  int addUVSet(const std::string& name);

 private:
  std::vector<double> points_;
  std::vector<int> counts_;
  std::vector<int> starts_;
  std::vector<int> connects_;
  std::vector<double> normals_;
  std::vector<int> normalIds_;
  std::vector<UVSet> uvSets_;
  int currentUVSet_ = 0;
  // Filled on demand by cachedPolygonNormal; the stand-in host runs on one thread.
  mutable std::vector<double> faceNormals_;
  mutable bool faceNormalsStale_ = true;
};

}  // namespace minihost
