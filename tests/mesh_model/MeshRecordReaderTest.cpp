#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "boundary/base/impstream.h"
#include "mesh_model/MeshRecordReader.h"
#include "tests/support/MeshSamples.h"

namespace {

// Little-endian bytes put together by hand, independent of the stream library.
struct Bytes {
  std::string data;
  Bytes& u8(unsigned v) {
    data += static_cast<char>(v);
    return *this;
  }
  Bytes& u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      data += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  Bytes& f32(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return u32(bits);
  }
  Bytes& f64(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i)
      data += static_cast<char>((bits >> (8 * i)) & 0xFF);
    return *this;
  }
  Bytes& text(const std::string& s) {
    u32(static_cast<std::uint32_t>(s.size()));
    data += s;
    return *this;
  }
};

struct ReadAll {
  MeshRecordCollector collected;
  FaultList faults;
  MeshRecordReader::Result last = MeshRecordReader::Result::record;
  int records = 0;
};

ReadAll readAll(const std::string& bytes) {
  ReadAll all;
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  MeshRecordReader reader(in, all.faults);
  while ((all.last = reader.readNext(all.collected)) == MeshRecordReader::Result::record)
    ++all.records;
  // Once stopped, the reader stays stopped.
  EXPECT_EQ(reader.readNext(all.collected), all.last);
  return all;
}

// Where the corners of polygon 1 of sampleSolid("solid") begin.
std::uint64_t solidSecondPolygonCorners() {
  const std::uint64_t header = 4 + 1 + 4 + 5;
  const std::uint64_t vectors = 4 + 4 * 12 + 4 + 4 * 12;
  const std::uint64_t firstPolygon = 4 + 3 * 16 + 24;
  return header + vectors + 4 + firstPolygon + 4;
}

}  // namespace

TEST(MeshRecordReader, ReadsARecordLaidOutByHand) {
  Bytes b;
  b.u32(0x6D705856).u8(0).text("tri");
  b.u32(3).f32(1.0f).f32(2.0f).f32(3.0f).f32(-1.0f).f32(0.5f).f32(0.0f).f32(4.0f).f32(5.0f).f32(
      6.0f);
  b.u32(1).f32(0.0f).f32(0.0f).f32(1.0f);
  b.u32(1).u32(3);
  b.u32(2).u32(0).f32(0.25f).f32(0.75f);
  b.u32(0).u32(0).f32(1.0f).f32(0.0f);
  b.u32(1).u32(0).f32(0.5f).f32(1.0f);
  b.f64(0.0).f64(-0.6).f64(0.8);
  ASSERT_EQ(b.data.substr(0, 4), "VXpm");

  ReadAll all = readAll(b.data);
  EXPECT_EQ(all.last, MeshRecordReader::Result::end);
  ASSERT_EQ(all.records, 1);
  EXPECT_FALSE(all.faults.hasErrors());
  const MeshRecord& mesh = all.collected.records.at(0);
  EXPECT_TRUE(mesh.complete);
  EXPECT_EQ(mesh.name, "tri");
  ASSERT_EQ(mesh.points.size(), 3u);
  EXPECT_EQ(mesh.points[1].x, -1.0f);
  EXPECT_EQ(mesh.points[1].y, 0.5f);
  EXPECT_EQ(mesh.points[2].z, 6.0f);
  ASSERT_EQ(mesh.normals.size(), 1u);
  EXPECT_EQ(mesh.normals[0].z, 1.0f);
  ASSERT_EQ(mesh.polygons.size(), 1u);
  const MeshPolygon& p = mesh.polygons[0];
  ASSERT_EQ(p.corners.size(), 3u);
  EXPECT_EQ(p.corners[0].vertexIndex, 2u);
  EXPECT_EQ(p.corners[0].u, 0.25f);
  EXPECT_EQ(p.corners[0].v, 0.75f);
  EXPECT_EQ(p.corners[2].vertexIndex, 1u);
  EXPECT_EQ(p.faceNormal.y, -0.6);
  EXPECT_EQ(p.faceNormal.z, 0.8);
}

TEST(MeshRecordReader, EmptyInputHoldsNoRecord) {
  ReadAll all = readAll("");
  EXPECT_EQ(all.last, MeshRecordReader::Result::end);
  EXPECT_EQ(all.records, 0);
  EXPECT_EQ(all.faults.errorCount(), 0u);
}

TEST(MeshRecordReader, ReadsBackWhatTheWriterLayoutHolds) {
  const std::vector<MeshRecord> written = {sampleQuad("a"), sampleSolid("b"), sampleQuad("")};
  ReadAll all = readAll(meshFileBytes(written));
  EXPECT_EQ(all.last, MeshRecordReader::Result::end);
  ASSERT_EQ(all.collected.records.size(), written.size());
  for (std::size_t r = 0; r < written.size(); ++r) {
    const MeshRecord& got = all.collected.records[r];
    EXPECT_EQ(got.name, written[r].name);
    ASSERT_EQ(got.points.size(), written[r].points.size());
    for (std::size_t i = 0; i < got.points.size(); ++i) {
      EXPECT_EQ(got.points[i].x, written[r].points[i].x);
      EXPECT_EQ(got.points[i].y, written[r].points[i].y);
      EXPECT_EQ(got.points[i].z, written[r].points[i].z);
    }
    ASSERT_EQ(got.polygons.size(), written[r].polygons.size());
    for (std::size_t p = 0; p < got.polygons.size(); ++p) {
      ASSERT_EQ(got.polygons[p].corners.size(), written[r].polygons[p].corners.size());
      for (std::size_t j = 0; j < got.polygons[p].corners.size(); ++j) {
        EXPECT_EQ(got.polygons[p].corners[j].vertexIndex,
                  written[r].polygons[p].corners[j].vertexIndex);
        EXPECT_EQ(got.polygons[p].corners[j].normalIndex,
                  written[r].polygons[p].corners[j].normalIndex);
        EXPECT_EQ(got.polygons[p].corners[j].u, written[r].polygons[p].corners[j].u);
        EXPECT_EQ(got.polygons[p].corners[j].v, written[r].polygons[p].corners[j].v);
      }
      EXPECT_EQ(got.polygons[p].faceNormal.x, written[r].polygons[p].faceNormal.x);
    }
  }
}

TEST(MeshRecordReader, EveryCutIsAFaultUnlessItFallsBetweenRecords) {
  const std::string first = meshFileBytes({sampleSolid("first")});
  const std::string bytes = first + meshFileBytes({sampleQuad("second")});
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    ReadAll all = readAll(bytes.substr(0, length));
    if (length == 0 || length == first.size()) {
      EXPECT_EQ(all.last, MeshRecordReader::Result::end);
      EXPECT_EQ(all.faults.errorCount(), 0u);
      continue;
    }
    EXPECT_EQ(all.last, MeshRecordReader::Result::fault);
    ASSERT_EQ(all.faults.errorCount(), 1u);
    const FileFault& fault = all.faults.kept().at(0);
    EXPECT_LE(fault.offset, length);
    EXPECT_EQ(fault.record, length < first.size() ? 0 : 1);
    EXPECT_FALSE(fault.field.empty());
    // A cut record is handed on as incomplete, never as whole.
    EXPECT_EQ(all.records, length < first.size() ? 0 : 1);
    int whole = 0;
    for (const MeshRecord& r : all.collected.records)
      whole += r.complete ? 1 : 0;
    EXPECT_EQ(whole, all.records);
  }
}

TEST(MeshRecordReader, CountsBeyondTheRestOfTheFileFailBeforeAnyValue) {
  Bytes b;
  b.u32(0x6D705856).u8(0).text("big").u32(0xFFFFFFFFu).f32(1.0f).f32(2.0f).f32(3.0f);
  ReadAll all = readAll(b.data);
  EXPECT_EQ(all.last, MeshRecordReader::Result::fault);
  ASSERT_EQ(all.faults.kept().size(), 1u);
  EXPECT_EQ(all.faults.kept()[0].offset, 12u);
  EXPECT_EQ(all.faults.kept()[0].field, "pointCount");
  EXPECT_NE(all.faults.kept()[0].message.find("4294967295"), std::string::npos);
  EXPECT_TRUE(all.collected.records.at(0).points.empty());

  Bytes polygons;
  polygons.u32(0x6D705856).u8(0).text("").u32(0).u32(0).u32(2).u32(3);
  all = readAll(polygons.data);
  ASSERT_EQ(all.faults.kept().size(), 1u);
  EXPECT_EQ(all.faults.kept()[0].field, "polygonCount");

  Bytes corners;
  corners.u32(0x6D705856).u8(0).text("").u32(0).u32(0).u32(1).u32(0x10000000u).f64(0).f64(0).f64(1);
  all = readAll(corners.data);
  ASSERT_EQ(all.faults.kept().size(), 1u);
  EXPECT_EQ(all.faults.kept()[0].field, "polygons[0].cornerCount");
  EXPECT_EQ(all.faults.kept()[0].offset, 21u);
}

TEST(MeshRecordReader, IndicesOutOfRangeNameTheCornerAndReadingGoesOn) {
  MeshRecord bad = sampleSolid("solid");
  bad.polygons[1].corners[2].vertexIndex = 4;   // pointCount is 4
  bad.polygons[1].corners[3].normalIndex = 99;  // normalCount is 4
  ReadAll all = readAll(meshFileBytes({bad, sampleQuad("next")}));
  EXPECT_EQ(all.last, MeshRecordReader::Result::end);
  EXPECT_EQ(all.records, 2);
  ASSERT_EQ(all.faults.errorCount(), 2u);
  const FileFault& vertex = all.faults.kept()[0];
  EXPECT_EQ(vertex.record, 0);
  EXPECT_EQ(vertex.recordName, "solid");
  EXPECT_EQ(vertex.field, "polygons[1].corners[2].vertexIndex");
  EXPECT_EQ(vertex.offset, solidSecondPolygonCorners() + 2 * 16);
  EXPECT_NE(vertex.message.find("not below pointCount 4"), std::string::npos);
  const FileFault& normal = all.faults.kept()[1];
  EXPECT_EQ(normal.field, "polygons[1].corners[3].normalIndex");
  EXPECT_EQ(normal.offset, solidSecondPolygonCorners() + 3 * 16 + 4);
}

TEST(MeshRecordReader, NonFiniteValuesAndDegeneratePolygonsAreFaults) {
  MeshRecord bad = sampleSolid("solid");
  bad.points[1].y = std::numeric_limits<float>::quiet_NaN();
  bad.normals[3].x = std::numeric_limits<float>::infinity();
  bad.polygons[0].corners[1].v = -std::numeric_limits<float>::infinity();
  bad.polygons[1].faceNormal.z = std::numeric_limits<double>::quiet_NaN();
  MeshPolygon line;
  line.corners = {{0, 0, 0, 0}, {1, 0, 0, 0}};
  bad.polygons.push_back(line);
  ReadAll all = readAll(meshFileBytes({bad}));
  EXPECT_EQ(all.last, MeshRecordReader::Result::end);
  std::vector<std::string> fields;
  for (const FileFault& f : all.faults.kept())
    fields.push_back(f.field);
  EXPECT_EQ(fields,
            (std::vector<std::string>{"points[1].y", "normals[3].x", "polygons[0].corners[1].v",
                                      "polygons[1].faceNormal.z", "polygons[2].cornerCount"}));
  EXPECT_EQ(all.faults.kept()[0].offset, 14u + 4 + 12 + 4);
}

TEST(MeshRecordReader, AnythingButARecordAfterARecordStopsReading) {
  const std::string one = meshFileBytes({sampleQuad("q")});
  ReadAll junk = readAll(one + "JUNKJUNK");
  EXPECT_EQ(junk.records, 1);
  EXPECT_EQ(junk.last, MeshRecordReader::Result::fault);
  ASSERT_EQ(junk.faults.kept().size(), 1u);
  EXPECT_EQ(junk.faults.kept()[0].offset, one.size());
  EXPECT_EQ(junk.faults.kept()[0].field, "magic");
  EXPECT_EQ(junk.faults.kept()[0].record, 1);

  std::string versionOne = meshFileBytes({sampleQuad("q")});
  versionOne[4] = 1;
  ReadAll unknown = readAll(versionOne);
  EXPECT_EQ(unknown.last, MeshRecordReader::Result::fault);
  ASSERT_EQ(unknown.faults.kept().size(), 1u);
  EXPECT_EQ(unknown.faults.kept()[0].field, "version");
  EXPECT_EQ(unknown.faults.kept()[0].offset, 4u);
}

TEST(MeshRecordReader, FaultListKeepsTheFirstFaultsAndCountsAll) {
  MeshRecord bad = sampleQuad("q");
  MeshPolygon wrong;
  wrong.corners.assign(3, MeshCorner{7, 0, 0, 0});
  bad.polygons.assign(300, wrong);
  ReadAll all = readAll(meshFileBytes({bad}));
  EXPECT_EQ(all.faults.errorCount(), 900u);
  EXPECT_EQ(all.faults.kept().size(), FaultList::defaultKeepLimit);
  EXPECT_EQ(all.faults.droppedCount(), 900u - FaultList::defaultKeepLimit);
}

TEST(MeshRecordReader, ReadsTheDocumentedOneTriangleDump) {
  // The 148 bytes of the triangle that the format documentation shows as the plug-in writes it.
  const char* const hex =
      "56 58 70 6D 00 03 00 00 00 74 72 69 03 00 00 00 00 00 00 00 00 00 00 80 00 00 00 00 "
      "00 00 80 3F 00 00 00 80 00 00 00 00 00 00 00 00 00 00 80 3F 00 00 00 00 01 00 00 00 "
      "00 00 00 00 00 00 00 80 00 00 80 3F 01 00 00 00 03 00 00 00 00 00 00 00 00 00 00 00 "
      "00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00 00 80 3F 00 00 00 00 02 00 00 00 "
      "00 00 00 00 00 00 00 00 00 00 80 3F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 80 "
      "00 00 00 00 00 00 F0 3F";
  std::string bytes;
  for (const char* p = hex; *p != '\0'; p += (p[2] == ' ' ? 3 : 2))
    bytes += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
  ASSERT_EQ(bytes.size(), 148u);

  ReadAll all = readAll(bytes);
  EXPECT_EQ(all.last, MeshRecordReader::Result::end);
  EXPECT_EQ(all.faults.errorCount(), 0u);
  ASSERT_EQ(all.records, 1);
  const MeshRecord& tri = all.collected.records[0];
  EXPECT_EQ(tri.name, "tri");
  ASSERT_EQ(tri.points.size(), 3u);
  EXPECT_EQ(tri.points[2].y, 1.0f);
  EXPECT_TRUE(std::signbit(tri.points[0].y));
  ASSERT_EQ(tri.normals.size(), 1u);
  EXPECT_EQ(tri.normals[0].z, 1.0f);
  ASSERT_EQ(tri.polygons.size(), 1u);
  ASSERT_EQ(tri.polygons[0].corners.size(), 3u);
  EXPECT_EQ(tri.polygons[0].corners[1].u, 1.0f);
  EXPECT_EQ(tri.polygons[0].corners[2].vertexIndex, 2u);
  EXPECT_EQ(tri.polygons[0].corners[2].v, 1.0f);
  EXPECT_EQ(tri.polygons[0].faceNormal.z, 1.0);
}
