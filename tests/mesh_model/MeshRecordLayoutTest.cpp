// The byte layout of mesh records, encoded without a host.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "boundary/base/GString.h"
#include "boundary/base/impstream.h"
#include "boundary/base/ompstream.h"
#include "mesh_model/FileAxes.h"
#include "mesh_model/MeshFileFormat.h"
#include "mesh_model/MeshRecordWriter.h"

namespace {

// Polygons as plain lists, in the host's axes.
struct Polygons {
  std::vector<std::uint32_t> cornerCounts;  // one per polygon
  std::vector<std::uint32_t> vertexIds;     // one per corner, polygon after polygon
  std::vector<std::uint32_t> normalIds;     // one per corner
  std::vector<float> uvs;                   // u then v, one pair per corner
  std::vector<double> faceNormals;          // x, y, z per polygon
};

void writePolygons(MeshRecordWriter& writer, const Polygons& polygons) {
  std::size_t corner = 0;
  for (std::size_t p = 0; p < polygons.cornerCounts.size(); ++p) {
    writer.beginPolygon(polygons.cornerCounts[p]);
    for (std::uint32_t j = 0; j < polygons.cornerCounts[p]; ++j, ++corner)
      writer.writeCorner(polygons.vertexIds[corner], polygons.normalIds[corner],
                         polygons.uvs[2 * corner], polygons.uvs[2 * corner + 1]);
    const double* n = &polygons.faceNormals[3 * p];
    writer.endPolygon(n[0], n[1], n[2]);
  }
}

// The same through writePolygon, which takes room once per polygon where the polygon fits.
void writePackedPolygons(MeshRecordWriter& writer, const Polygons& polygons) {
  std::size_t corner = 0;
  for (std::size_t p = 0; p < polygons.cornerCounts.size(); ++p) {
    const double* n = &polygons.faceNormals[3 * p];
    writer.writePolygon(
        polygons.cornerCounts[p],
        [&](std::uint32_t j) {
          const std::size_t c = corner + j;
          return MeshRecordWriter::Corner{polygons.vertexIds[c], polygons.normalIds[c],
                                          polygons.uvs[2 * c], polygons.uvs[2 * c + 1]};
        },
        [n] {
          return MeshRecordWriter::Normal{n[0], n[1], n[2]};
        });
    corner += polygons.cornerCounts[p];
  }
}

std::string bytesOf(const ompstream& out) {
  return std::string(out.data(), out.size());
}

// One triangle at points (1,2,3), (4,5,6), (7,8,9), one normal, one UV per corner.
void writeTriangleRecord(MeshRecordWriter& writer) {
  writer.writeHeader("tri");
  const float points[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  writer.writeVectors(points, 3);
  const float normals[] = {0, 1, 0};
  writer.writeVectors(normals, 1);
  writer.writePolygonCount(1);
  Polygons triangle;
  triangle.cornerCounts = {3};
  triangle.vertexIds = {0, 1, 2};
  triangle.normalIds = {0, 0, 0};
  triangle.uvs = {0.0f, 0.0f, 1.0f, 0.0f, 0.5f, 1.0f};
  triangle.faceNormals = {0.0, 1.0, 0.0};
  writePolygons(writer, triangle);
}

void writeTriangle(opstream& out, bool upAxisIsZ) {
  MeshRecordWriter writer(out, upAxisIsZ);
  writeTriangleRecord(writer);
}

TEST(FileAxesTest, YUpIsTurnedAQuarterAboutX) {
  const FileVector<float> f = toFileAxes(1.0f, 2.0f, 3.0f, false);
  EXPECT_EQ(f.x, 1.0f);
  EXPECT_EQ(f.y, -3.0f);
  EXPECT_EQ(f.z, 2.0f);
}

TEST(FileAxesTest, ZUpIsKept) {
  const FileVector<double> f = toFileAxes(1.0, 2.0, 3.0, true);
  EXPECT_EQ(f.x, 1.0);
  EXPECT_EQ(f.y, 2.0);
  EXPECT_EQ(f.z, 3.0);
}

TEST(FileAxesTest, PositiveZeroBecomesNegativeZeroInAYUpScene) {
  const FileVector<float> f = toFileAxes(0.0f, 0.0f, 0.0f, false);
  EXPECT_TRUE(std::signbit(f.y));
  EXPECT_FALSE(std::signbit(f.x));
  EXPECT_FALSE(std::signbit(f.z));
}

TEST(MeshRecordLayoutTest, FieldsFollowEachOtherInFileOrder) {
  ompstream out;
  writeTriangle(out, true);
  impstream in(out.data(), static_cast<long>(out.size()));
  EXPECT_EQ(in.readDWord(), kMeshRecordMagic);
  EXPECT_EQ(in.readByte(), 0u);
  GString name;
  in >> name;
  EXPECT_EQ(name, "tri");
  ASSERT_EQ(in.readDWord(), 3u);
  for (float expected : {1, 2, 3, 4, 5, 6, 7, 8, 9}) {
    float value = 0;
    in >> value;
    EXPECT_EQ(value, expected);
  }
  ASSERT_EQ(in.readDWord(), 1u);
  float n[3];
  in >> n[0] >> n[1] >> n[2];
  EXPECT_EQ(n[1], 1.0f);
  EXPECT_EQ(in.readDWord(), 1u);  // polygon count
  EXPECT_EQ(in.readDWord(), 3u);  // corner count
  const float uvs[] = {0.0f, 0.0f, 1.0f, 0.0f, 0.5f, 1.0f};
  for (std::uint32_t j = 0; j < 3; ++j) {
    EXPECT_EQ(in.readDWord(), j);
    EXPECT_EQ(in.readDWord(), 0u);
    float u = -1, v = -1;
    in >> u >> v;
    EXPECT_EQ(u, uvs[2 * j]);
    EXPECT_EQ(v, uvs[2 * j + 1]);
  }
  double f[3];
  in >> f[0] >> f[1] >> f[2];
  EXPECT_EQ(f[0], 0.0);
  EXPECT_EQ(f[1], 1.0);
  EXPECT_EQ(f[2], 0.0);
  EXPECT_FALSE(in.fail());
  EXPECT_EQ(in.remaining(), 0u);
}

TEST(MeshRecordLayoutTest, RecordSizeCountsEveryPrimitive) {
  ompstream out;
  writeTriangle(out, true);
  // magic 4, version 1, name 4+3, points 4+36, normals 4+12, polygons 4,
  // polygon: count 4 + 3 corners * 16 + face normal 24.
  EXPECT_EQ(out.size(), 4u + 1 + 7 + 40 + 16 + 4 + 4 + 48 + 24);
}

TEST(MeshRecordLayoutTest, YUpTurnsPointsNormalsAndFaceNormals) {
  ompstream zUp, yUp;
  writeTriangle(zUp, true);
  writeTriangle(yUp, false);
  ASSERT_EQ(zUp.size(), yUp.size());
  impstream in(yUp.data(), static_cast<long>(yUp.size()));
  in.readDWord();
  in.readByte();
  GString name;
  in >> name;
  in.readDWord();
  float p[3];
  in >> p[0] >> p[1] >> p[2];
  EXPECT_EQ(p[0], 1.0f);
  EXPECT_EQ(p[1], -3.0f);
  EXPECT_EQ(p[2], 2.0f);
  in >> p[0] >> p[1] >> p[2] >> p[0] >> p[1] >> p[2];
  in.readDWord();
  float n[3];
  in >> n[0] >> n[1] >> n[2];
  // The host's normal (0, 1, 0) points up, the file's up is z; x = 0 gives +0, -z = -0.
  EXPECT_EQ(n[2], 1.0f);
  EXPECT_TRUE(std::signbit(n[1]));
  in.readDWord();
  in.readDWord();
  for (int j = 0; j < 3; ++j) {
    in.readDWord();
    in.readDWord();
    float uv[2];
    in >> uv[0] >> uv[1];
  }
  double f[3];
  in >> f[0] >> f[1] >> f[2];
  EXPECT_EQ(f[2], 1.0);
  EXPECT_TRUE(std::signbit(f[1]));
  EXPECT_FALSE(in.fail());
}

TEST(MeshRecordLayoutTest, TwoRecordsThroughOneWriterFollowEachOther) {
  // The header goes through the stream's primitive writes, the lists and polygons through its
  // reserved room: the second header must follow the first record's last polygon.
  ompstream single;
  writeTriangle(single, true);  // one record through a writer of its own
  const std::string one = bytesOf(single);
  ompstream out;
  {
    MeshRecordWriter writer(out, true);
    writeTriangleRecord(writer);
    writeTriangleRecord(writer);
  }
  EXPECT_TRUE(bytesOf(out) == one + one);
}

TEST(MeshRecordLayoutTest, ATriangleAndAQuadHaveThreeAndFourCornerGroups) {
  Polygons two;
  two.cornerCounts = {3, 4};
  two.vertexIds = {0, 1, 2, 2, 1, 3, 4};
  two.normalIds = {0, 1, 2, 3, 4, 5, 6};
  two.uvs = {0, 0, 1, 0, 1, 1, 0, 1, 0.5f, 0.5f, 0.25f, 0.75f, 1, 0};
  two.faceNormals = {0, 0, 1, 0, 1, 0};
  ompstream out;
  {
    MeshRecordWriter writer(out, false);
    writePolygons(writer, two);
  }
  // Triangle: 4 + 3*16 + 24; quad: 4 + 4*16 + 24.
  ASSERT_EQ(out.size(), 76u + 92u);
  impstream in(out.data(), static_cast<long>(out.size()));
  EXPECT_EQ(in.readDWord(), 3u);
  char skipped[3 * 16 + 24];
  ASSERT_TRUE(in.readBytes(skipped, sizeof skipped));
  EXPECT_EQ(in.readDWord(), 4u);
  EXPECT_EQ(in.readDWord(), 2u);  // first vertex of the quad
}

// The reference: every value through its own stream primitive, in record order.
void writeOneByOne(opstream& out, const Polygons& block, bool upAxisIsZ) {
  std::size_t corner = 0;
  for (std::size_t p = 0; p < block.cornerCounts.size(); ++p) {
    out.writeDWord(block.cornerCounts[p]);
    for (std::uint32_t j = 0; j < block.cornerCounts[p]; ++j, ++corner) {
      out.writeDWord(block.vertexIds[corner]);
      out.writeDWord(block.normalIds[corner]);
      out << block.uvs[2 * corner] << block.uvs[2 * corner + 1];
    }
    const double* n = &block.faceNormals[3 * p];
    const FileVector<double> f = toFileAxes(n[0], n[1], n[2], upAxisIsZ);
    out << f.x << f.y << f.z;
  }
}

// Enough polygons, and one polygon with enough corners, to cross every internal buffer size.
Polygons largeBlock() {
  Polygons block;
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int p = 0; p < 5000; ++p) {
    // Mostly triangles to pentagons, every seventh polygon up to 18 corners, one very large.
    const std::uint32_t corners = p == 2500 ? 3000 : 3 + next() % (p % 7 == 0 ? 16 : 3);
    block.cornerCounts.push_back(corners);
    for (std::uint32_t j = 0; j < corners; ++j) {
      block.vertexIds.push_back(next());
      block.normalIds.push_back(next());
      block.uvs.push_back(static_cast<float>(next() % 1000) / 7.0f);
      block.uvs.push_back(-static_cast<float>(next() % 1000) / 3.0f);
    }
    for (int k = 0; k < 3; ++k)
      block.faceNormals.push_back(static_cast<double>(next()) / 4294967296.0 - 0.5);
  }
  return block;
}

TEST(MeshRecordLayoutTest, ManyPolygonsWriteOnePrimitivePerValue) {
  const Polygons block = largeBlock();
  for (bool upAxisIsZ : {false, true}) {
    ompstream written, packed, reference;
    {
      MeshRecordWriter writer(written, upAxisIsZ);
      writePolygons(writer, block);
      MeshRecordWriter packedWriter(packed, upAxisIsZ);
      writePackedPolygons(packedWriter, block);
    }
    writeOneByOne(reference, block, upAxisIsZ);
    ASSERT_GT(reference.size(), 200u * 1024u);
    EXPECT_TRUE(bytesOf(written) == bytesOf(reference)) << "z-up " << upAxisIsZ;
    EXPECT_TRUE(bytesOf(packed) == bytesOf(reference)) << "z-up " << upAxisIsZ;
  }
}

TEST(MeshRecordLayoutTest, APolygonTooLargeForOneRoomIsRefusedWithoutWriting) {
  ompstream out;
  MeshRecordWriter writer(out, false);
  ASSERT_NE(writer.beginPackedPolygon(MeshRecordWriter::maxPackedCorners), nullptr);
  const std::size_t packed = out.size();
  EXPECT_EQ(packed, 4u + 16u * MeshRecordWriter::maxPackedCorners + 24u);
  EXPECT_LE(packed, opstream::maxReserve);
  EXPECT_EQ(writer.beginPackedPolygon(MeshRecordWriter::maxPackedCorners + 1), nullptr);
  EXPECT_EQ(out.size(), packed);
}

TEST(MeshRecordLayoutTest, LongPointListsWriteOnePrimitivePerValue) {
  std::vector<float> xyz;
  for (int i = 0; i < 3 * 20000; ++i)
    xyz.push_back(static_cast<float>(i) * 0.37f - 100.0f);
  ompstream written, reference;
  MeshRecordWriter(written, false).writeVectors(xyz.data(), xyz.size() / 3);
  reference.writeDWord(20000);
  for (std::size_t i = 0; i < xyz.size(); i += 3)
    reference << xyz[i] << -xyz[i + 2] << xyz[i + 1];
  EXPECT_TRUE(bytesOf(written) == bytesOf(reference));
}

TEST(MeshRecordLayoutTest, AWriterGivenNothingWritesNothing) {
  ompstream out;
  { MeshRecordWriter writer(out, false); }
  EXPECT_EQ(out.size(), 0u);
}

}  // namespace
