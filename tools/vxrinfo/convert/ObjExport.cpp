#include "tools/vxrinfo/convert/ObjExport.h"

#include <cstdint>
#include <vector>

#include "boundary/base/FileFault.h"
#include "tools/vxrinfo/files/MeshFile.h"
#include "tools/vxrinfo/text/NumberText.h"
#include "tools/vxrinfo/text/ReplacingFileStream.h"
#include "tools/vxrinfo/text/TextSink.h"
#include "tools/vxrinfo/text/Utf8Text.h"

std::string objObjectName(const std::string& name, unsigned index) {
  if (name.empty())
    return "mesh" + std::to_string(index);
  std::string out;
  for (std::size_t at = 0; at < name.size();) {
    const std::size_t n = utf8CharLength(name.data(), name.size(), at);
    const auto byte = static_cast<unsigned char>(name[at]);
    if (n == 0 || (n == 1 && (byte <= 0x20 || byte == 0x7F || byte == '#'))) {
      out += '_';
      ++at;
    } else {
      out.append(name, at, n);
      at += n;
    }
  }
  return out;
}

namespace {

class ObjVisitor : public MeshRecordVisitor {
 public:
  explicit ObjVisitor(TextSink& out) : out_(out) {}

  void beginRecord(std::uint32_t index, std::uint64_t /*offset*/, const GString& name) override {
    out_.put("o " + objObjectName(std::string(name.data(), name.length()), index) + "\n");
  }
  void beginPoints(std::uint32_t count) override { points_ = count; }
  void point(const MeshFloat3& p) override { vector("v ", p); }
  void beginNormals(std::uint32_t count) override { normals_ = count; }
  void normal(const MeshFloat3& n) override { vector("vn ", n); }
  void beginPolygon(std::uint32_t /*cornerCount*/) override { corners_.clear(); }
  void corner(const MeshCorner& c) override {
    corners_.push_back(c);
    out_.put("vt " + formatFloat(c.u) + " " + formatFloat(c.v) + "\n");
  }
  void endPolygon(const MeshDouble3& /*faceNormal*/) override {
    std::string line = "f";
    const std::uint64_t firstUv = uvBase_ + 1;
    for (std::size_t j = 0; j < corners_.size(); ++j) {
      line += ' ';
      line += std::to_string(vertexBase_ + corners_[j].vertexIndex + 1);
      line += '/';
      line += std::to_string(firstUv + j);
      line += '/';
      line += std::to_string(normalBase_ + corners_[j].normalIndex + 1);
    }
    line += '\n';
    out_.put(line);
    uvBase_ += corners_.size();
  }
  void endRecord(bool /*complete*/) override {
    vertexBase_ += points_;
    normalBase_ += normals_;
  }

 private:
  void vector(const char* tag, const MeshFloat3& v) {
    out_.put(std::string(tag) + formatFloat(v.x) + " " + formatFloat(v.y) + " " + formatFloat(v.z) +
             "\n");
  }

  TextSink& out_;
  std::vector<MeshCorner> corners_;
  std::uint64_t vertexBase_ = 0;
  std::uint64_t normalBase_ = 0;
  std::uint64_t uvBase_ = 0;
  std::uint32_t points_ = 0;
  std::uint32_t normals_ = 0;
};

}  // namespace

ConversionResult convertMeshToObj(const std::string& meshPath, const std::string& objPath,
                                  FaultList& faults) {
  // A first pass checks everything, so that a damaged file never yields half an OBJ.
  MeshRecordVisitor checkOnly;
  const std::uint32_t records = readMeshFile(meshPath, checkOnly, faults);
  if (faults.hasErrors())
    return ConversionResult::inputDamaged;

  ReplacingFileStream file(objPath.c_str());
  if (file.fail())
    return ConversionResult::outputFailed;
  FaultList secondPass;
  {
    PersistentTextSink text(file);
    text.put("# " + std::to_string(records) + (records == 1 ? " mesh" : " meshes") +
             ", z-up, converted by vxrinfo\n");
    ObjVisitor visitor(text);
    readMeshFile(meshPath, visitor, secondPass);
    if (!text.flush())
      file.abandon();
  }
  if (secondPass.hasErrors()) {
    // The file changed between the passes.
    for (const FileFault& fault : secondPass.kept())
      faults.add(fault);
    file.abandon();
    file.close();
    return ConversionResult::inputDamaged;
  }
  return file.close() ? ConversionResult::written : ConversionResult::outputFailed;
}
