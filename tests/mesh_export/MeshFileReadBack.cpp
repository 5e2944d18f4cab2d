#include "MeshFileReadBack.h"

#include "boundary/base/GString.h"
#include "boundary/base/ifpstream.h"

namespace {

constexpr std::uint32_t kMagic = 0x6D705856;

std::vector<float> readVectors(ipstream& in) {
  const std::uint32_t count = in.readDWord();
  std::vector<float> xyz;
  if (!in.require(12ull * count))
    return xyz;
  xyz.resize(3ull * count);
  for (float& value : xyz)
    in >> value;
  return xyz;
}

}  // namespace

ReadMeshFile readMeshFile(const std::string& path) {
  ReadMeshFile file;
  ifpstream in(path.c_str());
  if (in.fail())
    return file;
  file.opened = true;
  while (in.remaining() > 0 && !in.fail()) {
    if (in.readDWord() != kMagic)
      return file;
    ReadMesh mesh;
    mesh.version = in.readByte();
    GString name;
    in >> name;
    mesh.name.assign(name.data(), name.length());
    mesh.points = readVectors(in);
    mesh.normals = readVectors(in);
    const std::uint32_t polygons = in.readDWord();
    if (!in.require(4ull * polygons))
      return file;
    for (std::uint32_t p = 0; p < polygons && !in.fail(); ++p) {
      ReadPolygon polygon;
      const std::uint32_t corners = in.readDWord();
      if (!in.require(16ull * corners))
        return file;
      polygon.corners.resize(corners);
      for (ReadCorner& c : polygon.corners) {
        c.vertex = in.readDWord();
        c.normal = in.readDWord();
        in >> c.u >> c.v;
      }
      in >> polygon.faceNormal[0] >> polygon.faceNormal[1] >> polygon.faceNormal[2];
      mesh.polygons.push_back(polygon);
    }
    if (in.fail())
      return file;
    file.meshes.push_back(mesh);
  }
  file.complete = !in.fail();
  return file;
}
