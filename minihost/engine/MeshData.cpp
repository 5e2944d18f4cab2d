#include "engine/MeshData.h"

#include <cmath>
#include <utility>

namespace minihost {

MeshData::MeshData() {
  uvSets_.push_back(UVSet{"map1", {}, {}, {}});
}

bool MeshData::build(std::vector<double> points, std::vector<int> polygonCounts,
                     std::vector<int> connects, std::string* error) {
  if (points.size() % 3 != 0) {
    if (error)
      *error = "point data is not a multiple of three values";
    return false;
  }
  const long long pointCount = static_cast<long long>(points.size() / 3);
  long long total = 0;
  for (int c : polygonCounts) {
    if (c < 3) {
      if (error)
        *error = "a polygon needs at least three vertices";
      return false;
    }
    total += c;
  }
  if (total != static_cast<long long>(connects.size())) {
    if (error)
      *error = "polygon counts do not match the number of polygon connects";
    return false;
  }
  for (int v : connects) {
    if (v < 0 || v >= pointCount) {
      if (error)
        *error = "polygon connect refers to a vertex that does not exist";
      return false;
    }
  }
  points_ = std::move(points);
  counts_ = std::move(polygonCounts);
  connects_ = std::move(connects);
  faceNormalsStale_ = true;
  starts_.assign(counts_.size() + 1, 0);
  for (size_t p = 0; p < counts_.size(); ++p)
    starts_[p + 1] = starts_[p] + counts_[p];
  for (UVSet& set : uvSets_)
    set.cornerIds.assign(connects_.size(), -1);
  computeFaceNormals();
  return true;
}

bool MeshData::setNormals(std::vector<double> normals, std::vector<int> cornerNormalIds,
                          std::string* error) {
  if (normals.size() % 3 != 0 || cornerNormalIds.size() != connects_.size()) {
    if (error)
      *error = "normal data does not match the mesh's face corners";
    return false;
  }
  const long long count = static_cast<long long>(normals.size() / 3);
  for (int id : cornerNormalIds) {
    if (id < 0 || id >= count) {
      if (error)
        *error = "normal index refers to a normal that does not exist";
      return false;
    }
  }
  normals_ = std::move(normals);
  normalIds_ = std::move(cornerNormalIds);
  return true;
}

void MeshData::polygonNormal(int p, double out[3]) const {
  out[0] = out[1] = out[2] = 0.0;
  if (!validPolygon(p))
    return;
  // Each edge from corner j to the next, the last one closing back to the first; the sums
  // accumulate in corner order.
  const int* corner = connects_.data() + starts_[p];
  const int n = counts_[p];
  const double* points = points_.data();
  const double* first = points + 3 * static_cast<size_t>(corner[0]);
  const double* a = first;
  for (int j = 0; j < n; ++j) {
    const double* b = j + 1 < n ? points + 3 * static_cast<size_t>(corner[j + 1]) : first;
    out[0] += (a[1] - b[1]) * (a[2] + b[2]);
    out[1] += (a[2] - b[2]) * (a[0] + b[0]);
    out[2] += (a[0] - b[0]) * (a[1] + b[1]);
    a = b;
  }
  double len = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
  if (len > 0.0) {
    out[0] /= len;
    out[1] /= len;
    out[2] /= len;
  }
}

const double* MeshData::cachedPolygonNormal(int p) const {
  if (faceNormalsStale_) {
    faceNormals_.resize(counts_.size() * 3);
    for (int q = 0; q < polygonCount(); ++q)
      polygonNormal(q, &faceNormals_[3 * static_cast<size_t>(q)]);
    faceNormalsStale_ = false;
  }
  return &faceNormals_[3 * static_cast<size_t>(p)];
}

void MeshData::computeFaceNormals() {
  normals_.assign(counts_.size() * 3, 0.0);
  normalIds_.assign(connects_.size(), 0);
  for (int p = 0; p < polygonCount(); ++p) {
    polygonNormal(p, &normals_[3 * static_cast<size_t>(p)]);
    for (int j = starts_[p]; j < starts_[p + 1]; ++j)
      normalIds_[j] = p;
  }
}

bool MeshData::setCurrentUVSet(const std::string& name) {
  for (size_t i = 0; i < uvSets_.size(); ++i) {
    if (uvSets_[i].name == name) {
      currentUVSet_ = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

int MeshData::findUVSet(const std::string& name) const {
  if (name.empty())
    return uvSets_.empty() ? -1 : currentUVSet_;
  for (size_t i = 0; i < uvSets_.size(); ++i) {
    if (uvSets_[i].name == name)
      return static_cast<int>(i);
  }
  return -1;
}

int MeshData::addUVSet(const std::string& name) {
  int existing = findUVSet(name);
  if (existing >= 0 && !name.empty())
    return existing;
  uvSets_.push_back(UVSet{name, {}, {}, std::vector<int>(connects_.size(), -1)});
  return static_cast<int>(uvSets_.size()) - 1;
}

}  // namespace minihost
