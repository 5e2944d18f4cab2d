#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A mesh file read back with the persistence library, record by record, for the tests.
struct ReadCorner {
  std::uint32_t vertex = 0;
  std::uint32_t normal = 0;
  float u = 0;
  float v = 0;
};

struct ReadPolygon {
  std::vector<ReadCorner> corners;
  double faceNormal[3] = {0, 0, 0};
};

struct ReadMesh {
  std::uint8_t version = 0xFF;
  std::string name;
  std::vector<float> points;   // x, y, z per point, as written
  std::vector<float> normals;  // x, y, z per normal
  std::vector<ReadPolygon> polygons;
};

struct ReadMeshFile {
  bool opened = false;
  bool complete = false;  // every record read whole, nothing left over
  std::vector<ReadMesh> meshes;
};

ReadMeshFile readMeshFile(const std::string& path);
