#pragma once

#include <cstdint>
#include <string>

#include "boundary/base/FileFault.h"
#include "mesh_model/MeshRecordVisitor.h"
#include "tools/vxrinfo/files/FileKind.h"

class JsonWriter;
class TextSink;

// What is counted of one record while it streams past: the counts as stored, the corners and
// the bounding box of the finite points.
class MeshRecordStats {
 public:
  void reset();
  void points(std::uint32_t count) { pointCount = count; }
  void normals(std::uint32_t count) { normalCount = count; }
  void polygons(std::uint32_t count) { polygonCount = count; }
  void polygon(std::uint32_t cornerCount) { corners += cornerCount; }
  void point(const MeshFloat3& p);

  std::uint32_t pointCount = 0;
  std::uint32_t normalCount = 0;
  std::uint32_t polygonCount = 0;
  std::uint64_t corners = 0;
  bool hasBounds = false;
  MeshFloat3 min;
  MeshFloat3 max;
};

// Streams every record of a mesh file through `visitor`. Returns the records read whole;
// `faults` gets whatever is wrong.
std::uint32_t readMeshFile(const std::string& path, MeshRecordVisitor& visitor, FaultList& faults);

// One line per record: name, counts, corner total, bounding box.
std::uint32_t writeMeshSummary(const std::string& path, TextSink& out, FaultList& faults);
// The whole file as one JSON document, every value included (see docs/vxrinfo.md).
void writeMeshJson(const std::string& path, const FileIdentity& identity, JsonWriter& json,
                   FaultList& faults);
