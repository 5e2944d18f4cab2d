#include "scene/MeshStaging.h"

#include <cmath>

namespace minihost::scenefile {
namespace {

// Larger arrays than a scene could mean are refused before anything is allocated for them.
constexpr long long kMaxElements = 1LL << 28;

// Copies `count` elements of `per` values into `into` from element `first` on.
template <typename T>
bool placeArray(std::vector<T>& into, long long first, long long count, size_t per,
                std::vector<T>& values, std::string& problem) {
  if (static_cast<long long>(values.size()) != count * static_cast<long long>(per)) {
    problem = "expected " + std::to_string(count * static_cast<long long>(per)) +
              " values, found " + std::to_string(values.size());
    return false;
  }
  if (first + count > kMaxElements) {
    problem = "index out of range";
    return false;
  }
  const size_t at = static_cast<size_t>(first) * per;
  if (at == 0 && into.empty()) {
    into = std::move(values);
    return true;
  }
  if (into.size() < at + values.size())
    into.resize(at + values.size());
  std::copy(values.begin(), values.end(), into.begin() + static_cast<std::ptrdiff_t>(at));
  values.clear();
  values.shrink_to_fit();
  return true;
}

// The same from a statement's numbers, which the array takes over.
template <typename T>
bool placeNumbers(std::vector<T>& into, long long first, long long count, size_t per,
                  ValueNumbers& values, std::string& problem) {
  std::vector<double> taken = values.takeVector();
  return placeArray(into, first, count, per, taken, problem);
}

}  // namespace

bool MeshStaging::take(const std::vector<PathSegment>& path, AttrSetting& value,
                       std::string& problem) {
  const AttrSetting& readOnly = value;  // reads that must not make room for integers or texts
  const PathSegment& seg = path[0];
  const std::string& name = seg.name;
  long long first = seg.indexed ? seg.first : 0;
  if (path.size() == 1) {
    if (name == "vt" || name == "vrts") {
      long long count =
          seg.indexed ? seg.count() : static_cast<long long>(value.numbers.size() / 3);
      return placeNumbers(points_, first, count, 3, value.numbers, problem);
    }
    if (name == "pt" || name == "pnts") {
      long long count =
          seg.indexed ? seg.count() : static_cast<long long>(value.numbers.size() / 3);
      return placeNumbers(tweaks_, first, count, 3, value.numbers, problem);
    }
    if (name == "ed" || name == "edge") {
      long long count =
          seg.indexed ? seg.count() : static_cast<long long>(readOnly.integers().size() / 3);
      if (!value.numbers.empty()) {
        problem = "edges are whole numbers";
        return false;
      }
      return placeArray(edges_, first, count, 3, value.integers(), problem);
    }
    if (name == "fc" || name == "face") {
      // Face records are appended in the order the file gives them.
      if (!readOnly.integers().empty()) {
        std::vector<int>& records = value.integers();
        faces_.insert(faces_.end(), records.begin(), records.end());
        records.clear();
        records.shrink_to_fit();
      }
      return true;
    }
    if (name == "n" || name == "normals") {
      long long count =
          seg.indexed ? seg.count() : static_cast<long long>(value.numbers.size() / 3);
      return placeNumbers(normals_, first, count, 3, value.numbers, problem);
    }
    if (name == "cuvs" || name == "currentUVSet") {
      if (!readOnly.texts().empty())
        currentUVSet_ = readOnly.texts()[0];
    }
    return true;
  }
  if (path.size() == 2 && (name == "uvst" || name == "uvSet") && seg.indexed && seg.count() == 1) {
    if (seg.first > 1024) {
      problem = "UV set index out of range";
      return false;
    }
    size_t set = static_cast<size_t>(seg.first);
    if (uvSets_.size() <= set)
      uvSets_.resize(set + 1);
    const PathSegment& child = path[1];
    if ((child.name == "uvsn" || child.name == "uvSetName") && !readOnly.texts().empty()) {
      uvSets_[set].name = readOnly.texts()[0];
    } else if (child.name == "uvsp" || child.name == "uvSetPoints") {
      long long count =
          child.indexed ? child.count() : static_cast<long long>(value.numbers.size() / 2);
      return placeNumbers(uvSets_[set].uv, child.indexed ? child.first : 0, count, 2, value.numbers,
                          problem);
    }
  }
  return true;
}

bool MeshStaging::build(MeshData& mesh, std::string& problem, std::vector<std::string>& notes) {
  std::vector<double> points = std::move(points_);
  for (size_t i = 0; i < tweaks_.size() && i < points.size(); ++i)
    points[i] += tweaks_[i];
  const long long pointCount = static_cast<long long>(points.size() / 3);
  const long long edgeCount = static_cast<long long>(edges_.size() / 3);
  for (long long e = 0; e < edgeCount; ++e) {
    for (int k = 0; k < 2; ++k) {
      int v = edges_[static_cast<size_t>(e * 3 + k)];
      if (v < 0 || v >= pointCount) {
        problem = "edge " + std::to_string(e) + " names a vertex that does not exist";
        return false;
      }
    }
  }
  std::vector<int> counts, connects;
  // Per corner and UV set, the UV index (-1: none).
  std::vector<std::vector<int>> cornerUVs(uvSets_.size());
  bool holes = false;
  size_t i = 0;
  int faceStart = 0;
  // UV records follow each loop: the face's own, then each hole's after that hole.
  int loopSize = 0;
  bool inHole = false;
  while (i < faces_.size()) {
    int tag = faces_[i++];
    if (tag == kUVTag) {
      int set = faces_[i++];
      int n = faces_[i++];
      if (n != loopSize) {
        problem = "a face's UV list does not match its corners";
        return false;
      }
      if (!inHole && set >= 0 && static_cast<size_t>(set) < cornerUVs.size()) {
        std::vector<int>& ids = cornerUVs[static_cast<size_t>(set)];
        ids.resize(connects.size(), -1);
        long long uvCount = static_cast<long long>(uvSets_[static_cast<size_t>(set)].uv.size() / 2);
        for (int c = 0; c < n; ++c) {
          int id = faces_[i + static_cast<size_t>(c)];
          if (id < 0 || id >= uvCount) {
            problem = "a face names a UV that does not exist";
            return false;
          }
          ids[static_cast<size_t>(faceStart + c)] = id;
        }
      }
      i += static_cast<size_t>(n);
      continue;
    }
    int n = faces_[i++];
    if (tag == kHoleTag) {
      holes = true;
      inHole = true;
      loopSize = n;
      i += static_cast<size_t>(n);
      continue;
    }
    if (n < 3) {
      problem = "a face has fewer than three edges";
      return false;
    }
    faceStart = static_cast<int>(connects.size());
    loopSize = n;
    inHole = false;
    for (int c = 0; c < n; ++c) {
      int e = faces_[i + static_cast<size_t>(c)];
      // A negative edge is walked backwards: it starts at its second vertex.
      long long index = e >= 0 ? e : -static_cast<long long>(e) - 1;
      if (index >= edgeCount) {
        problem = "a face names an edge that does not exist";
        return false;
      }
      connects.push_back(edges_[static_cast<size_t>(index * 3 + (e >= 0 ? 0 : 1))]);
    }
    counts.push_back(n);
    i += static_cast<size_t>(n);
  }
  faces_.clear();
  faces_.shrink_to_fit();
  bool anySmooth = false;
  for (long long e = 0; e < edgeCount; ++e)
    anySmooth = anySmooth || edges_[static_cast<size_t>(e * 3 + 2)] != 0;
  edges_.clear();
  edges_.shrink_to_fit();
  const size_t corners = connects.size();
  if (!mesh.build(std::move(points), std::move(counts), std::move(connects), &problem))
    return false;
  if (holes)
    notes.push_back("holes are left out");

  // Normals: without stored ones, build() has given each polygon its face normal, which is what
  // hard edges show; smooth edges show the average of the faces around each vertex. Stored
  // per-corner normals win where set (1e20 marks "not set").
  const bool stored = !normals_.empty();
  std::vector<double> vertexNormals;
  if (anySmooth) {
    vertexNormals.assign(static_cast<size_t>(mesh.pointCount()) * 3, 0.0);
    for (int p = 0; p < mesh.polygonCount(); ++p) {
      const double* fn = mesh.cachedPolygonNormal(p);
      for (int c = 0; c < mesh.polygonSize(p); ++c) {
        size_t v =
            static_cast<size_t>(mesh.connects()[static_cast<size_t>(mesh.polygonStart(p) + c)]);
        for (int k = 0; k < 3; ++k)
          vertexNormals[v * 3 + static_cast<size_t>(k)] += fn[k];
      }
    }
    for (size_t v = 0; v + 2 < vertexNormals.size(); v += 3) {
      double* n = &vertexNormals[v];
      double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      if (len > 0.0) {
        n[0] /= len;
        n[1] /= len;
        n[2] /= len;
      } else {
        n[1] = 1.0;  // faces that cancel out: any unit normal will do
      }
    }
  }
  if (!stored && anySmooth) {
    std::vector<int> ids(mesh.connects());
    if (!mesh.setNormals(std::move(vertexNormals), std::move(ids), &problem))
      return false;
  } else if (stored) {
    std::vector<double> normals(corners * 3, 0.0);
    for (int p = 0; p < mesh.polygonCount(); ++p) {
      const double* fn = mesh.cachedPolygonNormal(p);
      for (int c = 0; c < mesh.polygonSize(p); ++c) {
        size_t corner = static_cast<size_t>(mesh.polygonStart(p) + c);
        const double* from = fn;
        const double* given = corner * 3 + 2 < normals_.size() ? &normals_[corner * 3] : nullptr;
        if (given && std::fabs(given[0]) < 1e19 && std::fabs(given[1]) < 1e19 &&
            std::fabs(given[2]) < 1e19) {
          from = given;
        } else if (anySmooth) {
          from = &vertexNormals[static_cast<size_t>(mesh.connects()[corner]) * 3];
        }
        for (int k = 0; k < 3; ++k)
          normals[corner * 3 + static_cast<size_t>(k)] = from[k];
      }
    }
    normals_.clear();
    normals_.shrink_to_fit();
    std::vector<int> ids(corners);
    for (size_t c = 0; c < corners; ++c)
      ids[c] = static_cast<int>(c);
    if (!mesh.setNormals(std::move(normals), std::move(ids), &problem))
      return false;
  }

  // UV sets: the first is the mesh's "map1" slot, renamed to the file's name for it.
  for (size_t s = 0; s < uvSets_.size(); ++s) {
    UVSetData& data = uvSets_[s];
    if (data.name.empty())
      data.name = s == 0 ? "map1" : "uvSet" + std::to_string(s);
    int index = s == 0 ? 0 : mesh.addUVSet(data.name);
    if (index < 0)
      continue;
    UVSet& set = mesh.uvSets()[static_cast<size_t>(index)];
    set.name = data.name;
    set.u.clear();
    set.v.clear();
    for (size_t k = 0; k + 1 < data.uv.size(); k += 2) {
      set.u.push_back(static_cast<float>(data.uv[k]));
      set.v.push_back(static_cast<float>(data.uv[k + 1]));
    }
    std::vector<int>& cornerIds = cornerUVs[s];
    cornerIds.resize(corners, -1);
    set.cornerIds = std::move(cornerIds);
  }
  if (!currentUVSet_.empty())
    mesh.setCurrentUVSet(currentUVSet_);
  return true;
}

}  // namespace minihost::scenefile
