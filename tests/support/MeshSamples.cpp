#include "tests/support/MeshSamples.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "boundary/base/GString.h"
#include "boundary/base/ompstream.h"
#include "mesh_model/MeshFileFormat.h"

MeshRecord makeMesh(const std::string& name, std::vector<MeshFloat3> points,
                    std::vector<MeshFloat3> normals, std::vector<MeshPolygon> polygons) {
  MeshRecord mesh;
  mesh.name = name;
  mesh.points = std::move(points);
  mesh.normals = std::move(normals);
  mesh.polygons = std::move(polygons);
  mesh.complete = true;
  return mesh;
}

MeshRecord sampleQuad(const std::string& name) {
  MeshPolygon quad;
  quad.corners = {{0, 0, 0.0f, 0.0f}, {1, 0, 1.0f, 0.0f}, {2, 0, 1.0f, 1.0f}, {3, 0, 0.0f, 1.0f}};
  quad.faceNormal = {0.0, 0.0, 1.0};
  return makeMesh(
      name,
      {{-1.5f, -1.0f, 0.25f}, {1.5f, -1.0f, 0.25f}, {1.5f, 1.0f, 0.25f}, {-1.5f, 1.0f, 0.25f}},
      {{0.0f, 0.0f, 1.0f}}, {quad});
}

MeshRecord sampleSolid(const std::string& name) {
  MeshPolygon triangle;
  triangle.corners = {{0, 0, 0.125f, 0.5f}, {1, 1, 0.75f, 0.25f}, {2, 2, 0.5f, 0.875f}};
  triangle.faceNormal = {0.0, -0.6, 0.8};
  MeshPolygon quad;
  quad.corners = {{0, 3, 0.0f, 0.0f}, {2, 3, 1.0f, 0.0f}, {3, 3, 1.0f, 1.0f}, {1, 3, 0.0f, 1.0f}};
  quad.faceNormal = {1.0, 0.0, 0.0};
  return makeMesh(
      name, {{0.0f, 0.0f, 0.0f}, {2.0f, 0.5f, -1.0f}, {0.1f, 3.0f, 4.5f}, {-7.25f, 1e-3f, 100.0f}},
      {{0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.6f, 0.8f, 0.0f}},
      {triangle, quad});
}

std::string meshFileBytes(const std::vector<MeshRecord>& records) {
  ompstream out;
  for (const MeshRecord& mesh : records) {
    out.writeDWord(kMeshRecordMagic);
    out.writeByte(kMeshRecordVersion);
    out << GString(mesh.name.data(), mesh.name.size());
    out.writeDWord(static_cast<std::uint32_t>(mesh.points.size()));
    for (const MeshFloat3& p : mesh.points)
      out << p.x << p.y << p.z;
    out.writeDWord(static_cast<std::uint32_t>(mesh.normals.size()));
    for (const MeshFloat3& n : mesh.normals)
      out << n.x << n.y << n.z;
    out.writeDWord(static_cast<std::uint32_t>(mesh.polygons.size()));
    for (const MeshPolygon& polygon : mesh.polygons) {
      out.writeDWord(static_cast<std::uint32_t>(polygon.corners.size()));
      for (const MeshCorner& c : polygon.corners) {
        out.writeDWord(c.vertexIndex);
        out.writeDWord(c.normalIndex);
        out << c.u << c.v;
      }
      out << polygon.faceNormal.x << polygon.faceNormal.y << polygon.faceNormal.z;
    }
  }
  EXPECT_FALSE(out.fail());
  return std::string(out.data(), out.size());
}
