#include "tools/vxrinfo/convert/GltfMeshes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "boundary/base/ByteOrder.h"
#include "boundary/base/FileFault.h"
#include "tools/vxrinfo/files/MeshFile.h"
#include "tools/vxrinfo/text/TextSink.h"

namespace {

constexpr double kMetresPerUnit = 0.01;

// Mesh files are z-up: (x, y, z) is (x, z, -y) in glTF's y-up axes.
bool unitYUp(double x, double y, double z, float out[3]) {
  const double length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 0.0) || !std::isfinite(length))
    return false;
  out[0] = static_cast<float>(x / length);
  out[1] = static_cast<float>(z / length);
  out[2] = static_cast<float>(-y / length);
  return true;
}

// Walks the triangles of every record; the subclass takes each corner's vertex.
class FanVisitor : public MeshRecordVisitor {
 public:
  void beginPoints(std::uint32_t count) override {
    points_.clear();
    points_.reserve(std::min<std::uint32_t>(count, 1u << 20));
  }
  void point(const MeshFloat3& p) override { points_.push_back(p); }
  void beginNormals(std::uint32_t count) override {
    normals_.clear();
    normals_.reserve(std::min<std::uint32_t>(count, 1u << 20));
  }
  void normal(const MeshFloat3& n) override { normals_.push_back(n); }
  void beginPolygon(std::uint32_t /*cornerCount*/) override { corners_.clear(); }
  void corner(const MeshCorner& c) override { corners_.push_back(c); }
  void endPolygon(const MeshDouble3& face) override {
    for (std::size_t i = 1; i + 1 < corners_.size(); ++i) {
      emit(corners_[0], face);
      emit(corners_[i], face);
      emit(corners_[i + 1], face);
    }
  }

 protected:
  virtual void vertex(const float v[8]) = 0;

 private:
  void emit(const MeshCorner& c, const MeshDouble3& face) {
    // The file was checked, so the indices hold; a file changed since is caught by the reader.
    const MeshFloat3 none;
    const MeshFloat3& p = c.vertexIndex < points_.size() ? points_[c.vertexIndex] : none;
    const MeshFloat3& n = c.normalIndex < normals_.size() ? normals_[c.normalIndex] : none;
    float v[8];
    gltfMeshVertex(p, n, face, c.u, c.v, v);
    vertex(v);
  }

  std::vector<MeshFloat3> points_;
  std::vector<MeshFloat3> normals_;
  std::vector<MeshCorner> corners_;
};

class SurveyVisitor : public FanVisitor {
 public:
  explicit SurveyVisitor(std::vector<GltfMeshSurvey>& records) : records_(records) {}
  void beginRecord(std::uint32_t /*index*/, std::uint64_t /*offset*/,
                   const GString& name) override {
    records_.emplace_back();
    records_.back().name.assign(name.data(), name.length());
  }

 protected:
  void vertex(const float v[8]) override {
    GltfMeshSurvey& record = records_.back();
    const bool first = record.triangles == 0 && corner_ == 0;
    for (int i = 0; i < 3; ++i) {
      record.min[i] = first ? v[i] : std::min(record.min[i], v[i]);
      record.max[i] = first ? v[i] : std::max(record.max[i], v[i]);
    }
    if (++corner_ == 3) {
      corner_ = 0;
      ++record.triangles;
    }
  }

 private:
  std::vector<GltfMeshSurvey>& records_;
  int corner_ = 0;
};

class StreamVisitor : public FanVisitor {
 public:
  explicit StreamVisitor(TextSink& out) : out_(out) {}

 protected:
  void vertex(const float v[8]) override {
    char bytes[kGltfVertexBytes];
    for (int i = 0; i < 8; ++i) {
      std::uint32_t bits;
      std::memcpy(&bits, &v[i], 4);
      gbyteorder::store32(bytes + 4 * i, bits);
    }
    out_.put(bytes, sizeof bytes);
  }

 private:
  TextSink& out_;
};

}  // namespace

void gltfMeshVertex(const MeshFloat3& point, const MeshFloat3& normal, const MeshDouble3& face,
                    float u, float v, float out[8]) {
  out[0] = static_cast<float>(point.x * kMetresPerUnit);
  out[1] = static_cast<float>(point.z * kMetresPerUnit);
  out[2] = static_cast<float>(-point.y * kMetresPerUnit);
  if (!unitYUp(normal.x, normal.y, normal.z, out + 3) &&
      !unitYUp(face.x, face.y, face.z, out + 3)) {
    out[3] = 0.0f;
    out[4] = 1.0f;
    out[5] = 0.0f;
  }
  out[6] = u;
  out[7] = 1.0f - v;
}

std::vector<GltfMeshSurvey> surveyGltfMeshes(const std::string& path, FaultList& faults) {
  std::vector<GltfMeshSurvey> records;
  SurveyVisitor visitor(records);
  readMeshFile(path, visitor, faults);
  return records;
}

void streamGltfMeshes(const std::string& path, TextSink& out, FaultList& faults) {
  StreamVisitor visitor(out);
  readMeshFile(path, visitor, faults);
}
