// The byte layout of mesh records, encoded without a host.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "boundary/base/GString.h"
#include "boundary/base/impstream.h"
#include "boundary/base/ompstream.h"
#include "mesh_export/FileAxes.h"
#include "mesh_export/MeshFileFormat.h"
#include "mesh_export/MeshRecordWriter.h"

namespace {

std::string bytesOf(const ompstream& out) {
  return std::string(out.data(), out.size());
}

// One triangle at points (1,2,3), (4,5,6), (7,8,9), one normal, one UV per corner.
void writeTriangle(opstream& out, bool upAxisIsZ) {
  MeshRecordWriter writer(out, upAxisIsZ);
  writer.writeHeader("tri");
  const float points[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  writer.writePoints(points, 3);
  const float normals[] = {0, 1, 0};
  writer.writeNormals(normals, 1);
  writer.writePolygonCount(1);
  PolygonBlock block;
  block.cornerCounts = {3};
  block.vertexIds = {0, 1, 2};
  block.normalIds = {0, 0, 0};
  block.uvs = {0.0f, 0.0f, 1.0f, 0.0f, 0.5f, 1.0f};
  block.faceNormals = {0.0, 1.0, 0.0};
  writer.writePolygons(block);
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

TEST(MeshRecordLayoutTest, PolygonsSplitIntoBlocksWriteTheSameBytes) {
  PolygonBlock whole;
  whole.cornerCounts = {3, 4};
  whole.vertexIds = {0, 1, 2, 2, 1, 3, 4};
  whole.normalIds = {0, 1, 2, 3, 4, 5, 6};
  whole.uvs = {0, 0, 1, 0, 1, 1, 0, 1, 0.5f, 0.5f, 0.25f, 0.75f, 1, 0};
  whole.faceNormals = {0, 0, 1, 0, 1, 0};
  PolygonBlock first, second;
  first.cornerCounts = {3};
  first.vertexIds = {0, 1, 2};
  first.normalIds = {0, 1, 2};
  first.uvs = {0, 0, 1, 0, 1, 1};
  first.faceNormals = {0, 0, 1};
  second.cornerCounts = {4};
  second.vertexIds = {2, 1, 3, 4};
  second.normalIds = {3, 4, 5, 6};
  second.uvs = {0, 1, 0.5f, 0.5f, 0.25f, 0.75f, 1, 0};
  second.faceNormals = {0, 1, 0};

  ompstream once, split;
  MeshRecordWriter(once, false).writePolygons(whole);
  MeshRecordWriter splitWriter(split, false);
  splitWriter.writePolygons(first);
  splitWriter.writePolygons(second);
  EXPECT_EQ(bytesOf(once), bytesOf(split));
  // Triangle: 4 + 3*16 + 24; quad: 4 + 4*16 + 24.
  EXPECT_EQ(once.size(), 76u + 92u);
}

TEST(MeshRecordLayoutTest, AnEmptyBlockWritesNothing) {
  ompstream out;
  MeshRecordWriter(out, false).writePolygons(PolygonBlock());
  EXPECT_EQ(out.size(), 0u);
}

}  // namespace
