#include "mesh_model/MeshRecordReader.h"

#include <cmath>
#include <cstdio>

#include "mesh_model/MeshFileFormat.h"

namespace {

std::string indexed(const char* list, std::uint32_t index) {
  return std::string(list) + "[" + std::to_string(index) + "]";
}

std::string cornerField(std::uint32_t polygon, std::uint32_t corner, const char* member) {
  return indexed("polygons", polygon) + "." + indexed("corners", corner) + "." + member;
}

std::string hex32(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

const char* const kAxisNames[3] = {"x", "y", "z"};

}  // namespace

void MeshRecordReader::fatal(std::uint64_t at, const std::string& field,
                             const std::string& message) {
  stopped_ = Result::fault;
  valueFault(at, field, message);
}

void MeshRecordReader::valueFault(std::uint64_t at, const std::string& field,
                                  const std::string& message) {
  FileFault fault;
  fault.offset = at;
  fault.record = recordIndex_;
  fault.recordName = recordName_;
  fault.field = field;
  fault.message = message;
  faults_.add(std::move(fault));
}

void MeshRecordReader::shortRead(std::uint64_t at, const std::string& field, std::uint64_t bytes) {
  fatal(at, field, reader_.shortReadMessage(at, bytes));
}

MeshRecordReader::Result MeshRecordReader::readNext(MeshRecordVisitor& visitor) {
  if (stopped_ != Result::record)
    return stopped_;
  bool atEnd = false;
  bool begun = readHeader(visitor, atEnd);
  if (atEnd) {
    stopped_ = Result::end;
    return stopped_;
  }
  if (!begun)
    return stopped_;
  bool whole = readVectors(visitor, "points", pointCount_, false) &&
               readVectors(visitor, "normals", normalCount_, true) && readPolygons(visitor);
  visitor.endRecord(whole);
  if (!whole)
    return stopped_;
  ++recordIndex_;
  recordName_.clear();
  return Result::record;
}

bool MeshRecordReader::readHeader(MeshRecordVisitor& visitor, bool& atEnd) {
  const std::uint64_t start = reader_.offset();
  // The magic is read byte by byte so that a clean end (no byte at all) is told apart from a
  // record cut short, also where the source cannot say how much is left.
  std::uint32_t magic = 0;
  for (int i = 0; i < 4; ++i) {
    std::uint8_t byte = 0;
    if (!reader_.readByte(byte)) {
      if (i == 0 && !reader_.ioError()) {
        // Not one byte after the previous record: the file ends cleanly.
        atEnd = true;
        return false;
      }
      shortRead(start, "magic", 4);
      return false;
    }
    magic |= static_cast<std::uint32_t>(byte) << (8 * i);
  }
  if (magic != kMeshRecordMagic) {
    fatal(start, "magic",
          "expected the record magic " + hex32(kMeshRecordMagic) + " (\"VXpm\"), found " +
              hex32(magic));
    return false;
  }
  std::uint8_t version = 0;
  if (!reader_.readByte(version)) {
    shortRead(start + 4, "version", 1);
    return false;
  }
  if (version != kMeshRecordVersion) {
    fatal(start + 4, "version",
          "record version " + std::to_string(version) + " is not known (only 0 is)");
    return false;
  }
  GString name;
  std::uint32_t nameLength = 0;
  const std::uint64_t nameAt = reader_.offset();
  if (!reader_.readString(name, nameLength)) {
    if (reader_.offset() == nameAt)
      shortRead(nameAt, "name", 4);
    else
      fatal(nameAt, "name",
            "name of " + std::to_string(nameLength) +
                " bytes: " + reader_.shortReadMessage(nameAt + 4, nameLength));
    return false;
  }
  recordName_.assign(name.data(), name.length());
  visitor.beginRecord(recordIndex_, start, name);
  return true;
}

bool MeshRecordReader::readCount(const char* field, std::uint64_t bytesEach, std::uint32_t& count) {
  const std::uint64_t at = reader_.offset();
  if (!reader_.readDWord(count)) {
    shortRead(at, field, 4);
    return false;
  }
  if (!reader_.canHold(count, bytesEach)) {
    fatal(at, field,
          std::string(field) + " " + std::to_string(count) + " needs at least " +
              std::to_string(static_cast<std::uint64_t>(count) * bytesEach) + " more bytes, only " +
              std::to_string(reader_.remaining()) + " left");
    return false;
  }
  return true;
}

bool MeshRecordReader::readFloat3(MeshFloat3& value, const char* list, std::uint32_t index) {
  float* parts[3] = {&value.x, &value.y, &value.z};
  for (int axis = 0; axis < 3; ++axis) {
    const std::uint64_t at = reader_.offset();
    if (!reader_.readFloat(*parts[axis])) {
      shortRead(at, indexed(list, index) + "." + kAxisNames[axis], 4);
      return false;
    }
    if (!std::isfinite(*parts[axis]))
      valueFault(at, indexed(list, index) + "." + kAxisNames[axis], "value is not finite");
  }
  return true;
}

bool MeshRecordReader::readVectors(MeshRecordVisitor& visitor, const char* what,
                                   std::uint32_t& count, bool normals) {
  if (!readCount(normals ? "normalCount" : "pointCount", kMeshVectorBytes, count))
    return false;
  if (normals)
    visitor.beginNormals(count);
  else
    visitor.beginPoints(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    MeshFloat3 value;
    if (!readFloat3(value, what, i))
      return false;
    if (normals)
      visitor.normal(value);
    else
      visitor.point(value);
  }
  return true;
}

bool MeshRecordReader::readPolygons(MeshRecordVisitor& visitor) {
  std::uint32_t polygonCount = 0;
  if (!readCount("polygonCount", kMeshMinPolygonBytes, polygonCount))
    return false;
  visitor.beginPolygons(polygonCount);
  for (std::uint32_t p = 0; p < polygonCount; ++p) {
    if (!readPolygon(visitor, p))
      return false;
  }
  return true;
}

bool MeshRecordReader::readPolygon(MeshRecordVisitor& visitor, std::uint32_t polygon) {
  const std::uint64_t at = reader_.offset();
  std::uint32_t cornerCount = 0;
  if (!reader_.readDWord(cornerCount)) {
    shortRead(at, indexed("polygons", polygon) + ".cornerCount", 4);
    return false;
  }
  const std::uint64_t needed =
      static_cast<std::uint64_t>(cornerCount) * kMeshCornerBytes + kMeshFaceNormalBytes;
  if (!reader_.canHold(needed, 1)) {
    fatal(at, indexed("polygons", polygon) + ".cornerCount",
          "cornerCount " + std::to_string(cornerCount) + " needs " + std::to_string(needed) +
              " more bytes, only " + std::to_string(reader_.remaining()) + " left");
    return false;
  }
  if (cornerCount < 3) {
    valueFault(at, indexed("polygons", polygon) + ".cornerCount",
               "a polygon needs at least 3 corners, this one has " + std::to_string(cornerCount));
  }
  visitor.beginPolygon(cornerCount);
  for (std::uint32_t j = 0; j < cornerCount; ++j) {
    MeshCorner corner;
    std::uint64_t fieldAt = reader_.offset();
    if (!reader_.readDWord(corner.vertexIndex)) {
      shortRead(fieldAt, cornerField(polygon, j, "vertexIndex"), 4);
      return false;
    }
    if (corner.vertexIndex >= pointCount_) {
      valueFault(fieldAt, cornerField(polygon, j, "vertexIndex"),
                 "vertex index " + std::to_string(corner.vertexIndex) +
                     " is not below pointCount " + std::to_string(pointCount_));
    }
    fieldAt = reader_.offset();
    if (!reader_.readDWord(corner.normalIndex)) {
      shortRead(fieldAt, cornerField(polygon, j, "normalIndex"), 4);
      return false;
    }
    if (corner.normalIndex >= normalCount_) {
      valueFault(fieldAt, cornerField(polygon, j, "normalIndex"),
                 "normal index " + std::to_string(corner.normalIndex) +
                     " is not below normalCount " + std::to_string(normalCount_));
    }
    float* uv[2] = {&corner.u, &corner.v};
    const char* uvNames[2] = {"u", "v"};
    for (int k = 0; k < 2; ++k) {
      fieldAt = reader_.offset();
      if (!reader_.readFloat(*uv[k])) {
        shortRead(fieldAt, cornerField(polygon, j, uvNames[k]), 4);
        return false;
      }
      if (!std::isfinite(*uv[k]))
        valueFault(fieldAt, cornerField(polygon, j, uvNames[k]), "value is not finite");
    }
    visitor.corner(corner);
  }
  MeshDouble3 faceNormal;
  double* parts[3] = {&faceNormal.x, &faceNormal.y, &faceNormal.z};
  for (int axis = 0; axis < 3; ++axis) {
    const std::uint64_t fieldAt = reader_.offset();
    if (!reader_.readDouble(*parts[axis])) {
      shortRead(fieldAt, indexed("polygons", polygon) + ".faceNormal." + kAxisNames[axis], 8);
      return false;
    }
    if (!std::isfinite(*parts[axis])) {
      valueFault(fieldAt, indexed("polygons", polygon) + ".faceNormal." + kAxisNames[axis],
                 "value is not finite");
    }
  }
  visitor.endPolygon(faceNormal);
  return true;
}
