#include "tools/vxrinfo/files/MeshFile.h"

#include <algorithm>
#include <cmath>

#include "boundary/base/ifpstream.h"
#include "mesh_model/MeshRecordReader.h"
#include "tools/vxrinfo/files/FaultJson.h"
#include "tools/vxrinfo/text/JsonWriter.h"
#include "tools/vxrinfo/text/NumberText.h"
#include "tools/vxrinfo/text/TextSink.h"
#include "tools/vxrinfo/text/Utf8Text.h"

void MeshRecordStats::reset() {
  *this = MeshRecordStats();
}

void MeshRecordStats::point(const MeshFloat3& p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
    return;
  if (!hasBounds) {
    min = max = p;
    hasBounds = true;
    return;
  }
  min.x = std::min(min.x, p.x);
  min.y = std::min(min.y, p.y);
  min.z = std::min(min.z, p.z);
  max.x = std::max(max.x, p.x);
  max.y = std::max(max.y, p.y);
  max.z = std::max(max.z, p.z);
}

std::uint32_t readMeshFile(const std::string& path, MeshRecordVisitor& visitor, FaultList& faults) {
  ifpstream in(path.c_str());
  if (in.fail()) {
    faults.error(0, "", "cannot open for reading");
    return 0;
  }
  MeshRecordReader reader(in, faults);
  while (reader.readNext(visitor) == MeshRecordReader::Result::record) {
  }
  return reader.recordsRead();
}

namespace {

std::string plural(std::uint64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string pointText(const MeshFloat3& p) {
  return "(" + formatFloat(p.x) + ", " + formatFloat(p.y) + ", " + formatFloat(p.z) + ")";
}

class SummaryVisitor : public MeshRecordVisitor {
 public:
  explicit SummaryVisitor(TextSink& out) : out_(out) {}

  void beginRecord(std::uint32_t index, std::uint64_t offset, const GString& name) override {
    stats_.reset();
    head_ = "  record " + std::to_string(index) + " " +
            quoteForDisplay(name.data(), name.length()) + " at offset " + std::to_string(offset) +
            ": ";
  }
  void beginPoints(std::uint32_t count) override { stats_.points(count); }
  void point(const MeshFloat3& p) override { stats_.point(p); }
  void beginNormals(std::uint32_t count) override { stats_.normals(count); }
  void beginPolygons(std::uint32_t count) override { stats_.polygons(count); }
  void beginPolygon(std::uint32_t count) override { stats_.polygon(count); }
  void endRecord(bool complete) override {
    out_.put(head_);
    out_.put(plural(stats_.pointCount, "point", "points") + ", " +
             plural(stats_.normalCount, "normal", "normals") + ", " +
             plural(stats_.polygonCount, "polygon", "polygons") + ", " +
             plural(stats_.corners, "corner", "corners"));
    if (stats_.hasBounds)
      out_.put(", bounds " + pointText(stats_.min) + " to " + pointText(stats_.max));
    if (!complete)
      out_.put(" (cut short)");
    out_.put('\n');
  }

 private:
  TextSink& out_;
  MeshRecordStats stats_;
  std::string head_;
};

class JsonVisitor : public MeshRecordVisitor {
 public:
  explicit JsonVisitor(JsonWriter& json) : json_(json) {}

  void beginRecord(std::uint32_t index, std::uint64_t offset, const GString& name) override {
    stats_.reset();
    json_.beginObject();
    recordDepth_ = json_.depth();
    json_.field("index", static_cast<std::int64_t>(index));
    json_.unsignedField("offset", offset);
    writeNameMembers(json_, name.data(), name.length());
  }
  void beginPoints(std::uint32_t count) override {
    stats_.points(count);
    json_.key("points");
    json_.beginArray();
  }
  void point(const MeshFloat3& p) override {
    stats_.point(p);
    json_.triple(p.x, p.y, p.z);
  }
  void beginNormals(std::uint32_t count) override {
    json_.endArray();
    stats_.normals(count);
    json_.key("normals");
    json_.beginArray();
  }
  void normal(const MeshFloat3& n) override { json_.triple(n.x, n.y, n.z); }
  void beginPolygons(std::uint32_t count) override {
    json_.endArray();
    stats_.polygons(count);
    json_.key("polygons");
    json_.beginArray();
  }
  void beginPolygon(std::uint32_t count) override {
    stats_.polygon(count);
    json_.beginObject();
    json_.key("corners");
    json_.beginArray();
  }
  void corner(const MeshCorner& c) override {
    json_.beginObject();
    json_.unsignedField("vertex", c.vertexIndex);
    json_.unsignedField("normal", c.normalIndex);
    json_.key("uv");
    json_.pair(c.u, c.v);
    json_.endObject();
  }
  void endPolygon(const MeshDouble3& n) override {
    json_.endArray();
    json_.key("faceNormal");
    json_.triple(n.x, n.y, n.z);
    json_.endObject();
  }
  void endRecord(bool complete) override {
    // A record cut short may end inside any of its arrays: close back to the record itself.
    json_.closeTo(recordDepth_);
    json_.booleanField("complete", complete);
    json_.unsignedField("pointCount", stats_.pointCount);
    json_.unsignedField("normalCount", stats_.normalCount);
    json_.unsignedField("polygonCount", stats_.polygonCount);
    json_.unsignedField("cornerCount", stats_.corners);
    json_.key("boundingBox");
    if (stats_.hasBounds) {
      json_.beginObject();
      json_.key("min");
      json_.triple(stats_.min.x, stats_.min.y, stats_.min.z);
      json_.key("max");
      json_.triple(stats_.max.x, stats_.max.y, stats_.max.z);
      json_.endObject();
    } else {
      json_.null();
    }
    json_.endObject();
  }

 private:
  JsonWriter& json_;
  MeshRecordStats stats_;
  int recordDepth_ = 0;
};

}  // namespace

std::uint32_t writeMeshSummary(const std::string& path, TextSink& out, FaultList& faults) {
  SummaryVisitor visitor(out);
  return readMeshFile(path, visitor, faults);
}

void writeMeshJson(const std::string& path, const FileIdentity& identity, JsonWriter& json,
                   FaultList& faults) {
  json.beginObject();
  json.field("file", path);
  json.field("kind", std::string("mesh"));
  json.unsignedField("size", identity.size);
  json.key("records");
  json.beginArray();
  JsonVisitor visitor(json);
  const std::uint32_t records = readMeshFile(path, visitor, faults);
  json.endArray();
  json.unsignedField("recordCount", records);
  json.booleanField("valid", !faults.hasErrors());
  writeFaultMembers(json, faults);
  json.endObject();
}
