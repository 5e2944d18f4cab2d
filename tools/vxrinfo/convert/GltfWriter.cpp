#include "tools/vxrinfo/convert/GltfWriter.h"

#include <cstdint>
#include <limits>

#include "boundary/base/ByteOrder.h"
#include "boundary/base/FileFault.h"
#include "tools/vxrinfo/convert/GltfJson.h"
#include "tools/vxrinfo/convert/GltfLayout.h"
#include "tools/vxrinfo/convert/GltfMeshes.h"
#include "tools/vxrinfo/text/ReplacingFileStream.h"
#include "tools/vxrinfo/text/TextSink.h"

namespace {

constexpr std::uint32_t kGlbMagic = 0x46546C67;     // "glTF"
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;    // "JSON"
constexpr std::uint32_t kBinaryChunk = 0x004E4942;  // "BIN\0"

}  // namespace

std::string gltfBufferPath(const std::string& outputPath) {
  const std::string suffix = ".gltf";
  if (outputPath.size() < suffix.size() ||
      outputPath.compare(outputPath.size() - suffix.size(), suffix.size(), suffix) != 0)
    return std::string();
  return outputPath.substr(0, outputPath.size() - suffix.size()) + ".bin";
}

std::string uriEscape(const std::string& name) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~') {
      out += c;
    } else {
      out += '%';
      out += hex[byte >> 4];
      out += hex[byte & 15];
    }
  }
  return out;
}

namespace {

void putWord(TextSink& out, std::uint32_t value) {
  char bytes[4];
  gbyteorder::store32(bytes, value);
  out.put(bytes, 4);
}

// The binary data: the animation values, then every mesh file's vertices. False when a mesh
// file no longer reads as it did in the survey.
bool putBufferData(TextSink& out, const GltfLayout& layout,
                   const std::vector<std::string>& meshPaths, FaultList& faults,
                   std::string& changedPath) {
  out.put(layout.data);
  for (const std::string& path : meshPaths) {
    FaultList pass;
    streamGltfMeshes(path, out, pass);
    if (pass.hasErrors()) {
      for (const FileFault& fault : pass.kept())
        faults.add(fault);
      changedPath = path;
      return false;
    }
  }
  return true;
}

std::string fileName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The asset as a .gltf and its .bin: the buffer first, so that the JSON never names a buffer
// that is not there.
void writeSeparate(const std::string& outputPath, const std::string& binPath,
                   const GltfDocument& doc, const std::vector<std::string>& meshPaths,
                   FaultList& meshFaults, GltfWriteReport& report) {
  if (doc.layout.size() > 0) {
    ReplacingFileStream bin(binPath.c_str());
    {
      PersistentTextSink sink(bin);
      if (!putBufferData(sink, doc.layout, meshPaths, meshFaults, report.failedPath)) {
        bin.abandon();
        report.result = GltfWriteResult::inputDamaged;
      }
      if (!sink.flush())
        bin.abandon();
    }
    if (report.result != GltfWriteResult::written) {
      bin.close();
      return;
    }
    if (bin.fail() || !bin.close()) {
      report.result = GltfWriteResult::outputFailed;
      report.failedPath = binPath;
      return;
    }
  }
  const std::string json = gltfDocumentJson(doc, uriEscape(fileName(binPath)));
  ReplacingFileStream file(outputPath.c_str());
  {
    PersistentTextSink sink(file);
    sink.put(json);
    if (!sink.flush())
      file.abandon();
  }
  if (file.fail() || !file.close()) {
    report.result = GltfWriteResult::outputFailed;
    report.failedPath = outputPath;
  }
}

// The asset as one .glb: header, JSON chunk (padded with spaces), binary chunk.
void writeBinary(const std::string& outputPath, const GltfDocument& doc,
                 const std::vector<std::string>& meshPaths, FaultList& meshFaults,
                 GltfWriteReport& report) {
  std::string json = gltfDocumentJson(doc, "");
  json.append((4 - json.size() % 4) % 4, ' ');
  const std::uint64_t binLength = doc.layout.size();  // a multiple of 4: only floats
  const std::uint64_t total = 12 + 8 + json.size() + (binLength > 0 ? 8 + binLength : 0);
  if (total > std::numeric_limits<std::uint32_t>::max()) {
    report.result = GltfWriteResult::tooLarge;
    report.failedPath = outputPath;
    return;
  }
  ReplacingFileStream file(outputPath.c_str());
  {
    PersistentTextSink sink(file);
    putWord(sink, kGlbMagic);
    putWord(sink, 2);
    putWord(sink, static_cast<std::uint32_t>(total));
    putWord(sink, static_cast<std::uint32_t>(json.size()));
    putWord(sink, kJsonChunk);
    sink.put(json);
    if (binLength > 0) {
      putWord(sink, static_cast<std::uint32_t>(binLength));
      putWord(sink, kBinaryChunk);
      if (!putBufferData(sink, doc.layout, meshPaths, meshFaults, report.failedPath)) {
        file.abandon();
        report.result = GltfWriteResult::inputDamaged;
      }
    }
    if (!sink.flush())
      file.abandon();
  }
  if (report.result != GltfWriteResult::written) {
    file.close();
    return;
  }
  if (file.fail() || !file.close()) {
    report.result = GltfWriteResult::outputFailed;
    report.failedPath = outputPath;
  }
}

}  // namespace

GltfWriteReport writeGltf(const std::string& outputPath, const GltfShot& shot,
                          const std::vector<std::string>& meshPaths, FaultList& meshFaults) {
  GltfLayout layout;
  GltfAnimationBuilder animation(layout);
  for (std::size_t i = 0; i < shot.nodes.size(); ++i)
    animation.addNode(shot.nodes[i], static_cast<int>(i), shot);
  std::vector<GltfMeshPart> meshes;
  for (const std::string& path : meshPaths)
    for (GltfMeshSurvey& survey : surveyGltfMeshes(path, meshFaults))
      meshes.push_back({std::move(survey), -1});
  addGltfMeshes(meshes, layout);
  const GltfDocument doc{shot, meshes, layout, animation};
  GltfWriteReport report;
  const std::string binPath = gltfBufferPath(outputPath);
  if (binPath.empty())
    writeBinary(outputPath, doc, meshPaths, meshFaults, report);
  else
    writeSeparate(outputPath, binPath, doc, meshPaths, meshFaults, report);
  return report;
}
