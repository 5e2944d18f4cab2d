#include "tools/vxrinfo/GltfWriter.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "boundary/base/ByteOrder.h"
#include "boundary/base/FileFault.h"
#include "tools/vxrinfo/GltfMeshes.h"
#include "tools/vxrinfo/JsonWriter.h"
#include "tools/vxrinfo/ReplacingFileStream.h"
#include "tools/vxrinfo/TextSink.h"

namespace {

constexpr int kArrayBuffer = 34962;
constexpr int kTriangles = 4;
constexpr int kFloat = 5126;
constexpr std::uint32_t kGlbMagic = 0x46546C67;     // "glTF"
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;    // "JSON"
constexpr std::uint32_t kBinaryChunk = 0x004E4942;  // "BIN\0"

class StringTextSink : public TextSink {
 public:
  ~StringTextSink() override { flush(); }
  std::string text;

 protected:
  bool drain(const char* data, std::size_t length) override {
    text.append(data, length);
    return true;
  }
};

const char* accessorType(int width) {
  switch (width) {
    case 1:
      return "SCALAR";
    case 2:
      return "VEC2";
    case 3:
      return "VEC3";
    default:
      return "VEC4";
  }
}

// The buffer's layout: the animation data held here, then the mesh vertices streamed later.
struct Layout {
  struct View {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    std::uint32_t stride = 0;
  };
  struct Accessor {
    int view = 0;
    std::uint32_t byteOffset = 0;
    std::uint64_t count = 0;
    int width = 1;
    bool bounds = false;
    float min[3] = {0.0f, 0.0f, 0.0f};
    float max[3] = {0.0f, 0.0f, 0.0f};
  };

  std::vector<View> views;
  std::vector<Accessor> accessors;
  std::string data;
  std::uint64_t meshBytes = 0;

  // Appends `values` (`width` a key) as one accessor; returns its index.
  int addFloats(const std::vector<float>& values, int width, bool withBounds) {
    View view;
    view.offset = data.size();
    view.length = values.size() * 4;
    for (const float f : values) {
      std::uint32_t bits;
      std::memcpy(&bits, &f, 4);
      char bytes[4];
      gbyteorder::store32(bytes, bits);
      data.append(bytes, 4);
    }
    views.push_back(view);
    Accessor accessor;
    accessor.view = static_cast<int>(views.size()) - 1;
    accessor.count = values.size() / static_cast<std::size_t>(width);
    accessor.width = width;
    if (withBounds) {  // time only: scalars in increasing order
      accessor.bounds = true;
      accessor.min[0] = values.front();
      accessor.max[0] = values.back();
    }
    accessors.push_back(accessor);
    return static_cast<int>(accessors.size()) - 1;
  }

  std::uint64_t size() const { return data.size() + meshBytes; }
};

struct Channel {
  int sampler = 0;
  int node = -1;        // for translation and rotation
  std::string path;     // "translation", "rotation" or "pointer"
  std::string pointer;  // for "pointer"
};
struct Sampler {
  int input = 0;
  int output = 0;
};

bool variesBy(const std::vector<float>& values, std::size_t width) {
  for (std::size_t i = width; i < values.size(); ++i)
    if (values[i] != values[i % width])
      return true;
  return false;
}

class AnimationBuilder {
 public:
  explicit AnimationBuilder(Layout& layout) : layout_(layout) {}

  void addNode(const GltfNode& node, int index, const GltfShot& shot) {
    if (node.times.size() < 2)
      return;
    int input = -1;
    auto sampled = [&](const std::vector<float>& values, int width, const std::string& path,
                       const std::string& pointer) {
      if (values.empty() || !variesBy(values, static_cast<std::size_t>(width)))
        return;
      if (input < 0)
        input = layout_.addFloats(node.times, 1, true);
      samplers.push_back({input, layout_.addFloats(values, width, false)});
      channels.push_back(
          {static_cast<int>(samplers.size()) - 1, path == "pointer" ? -1 : index, path, pointer});
    };
    sampled(node.translations, 3, "translation", "");
    sampled(node.rotations, 4, "rotation", "");
    if (node.camera >= 0)
      for (const GltfKeyedValue& value : shot.cameras[node.camera].values)
        sampled(value.keys, value.width, "pointer",
                "/cameras/" + std::to_string(node.camera) + "/" + value.path);
    if (node.light >= 0)
      for (const GltfKeyedValue& value : shot.lights[node.light].values)
        sampled(value.keys, value.width, "pointer",
                "/extensions/KHR_lights_punctual/lights/" + std::to_string(node.light) + "/" +
                    value.path);
  }

  bool usesPointers() const {
    for (const Channel& channel : channels)
      if (channel.path == "pointer")
        return true;
    return false;
  }

  std::vector<Sampler> samplers;
  std::vector<Channel> channels;

 private:
  Layout& layout_;
};

struct MeshPart {
  GltfMeshSurvey survey;
  int accessor = -1;  // POSITION; NORMAL and TEXCOORD_0 follow
};

void addMeshes(std::vector<MeshPart>& meshes, Layout& layout) {
  for (MeshPart& mesh : meshes) {
    if (mesh.survey.triangles == 0)
      continue;
    Layout::View view;
    view.offset = layout.size();
    view.length = mesh.survey.triangles * 3 * kGltfVertexBytes;
    view.stride = kGltfVertexBytes;
    layout.views.push_back(view);
    layout.meshBytes += view.length;
    mesh.accessor = static_cast<int>(layout.accessors.size());
    for (int a = 0; a < 3; ++a) {
      Layout::Accessor accessor;
      accessor.view = static_cast<int>(layout.views.size()) - 1;
      accessor.byteOffset = a == 0 ? 0 : a == 1 ? 12 : 24;
      accessor.count = mesh.survey.triangles * 3;
      accessor.width = a == 2 ? 2 : 3;
      if (a == 0) {
        accessor.bounds = true;
        std::memcpy(accessor.min, mesh.survey.min, sizeof accessor.min);
        std::memcpy(accessor.max, mesh.survey.max, sizeof accessor.max);
      }
      layout.accessors.push_back(accessor);
    }
  }
}

void floats(JsonWriter& json, const float* values, int count) {
  json.beginArray();
  for (int i = 0; i < count; ++i)
    json.number(values[i]);
  json.endArray();
}

// Bounds as the exact value of each float, so that a reader comparing them with the data in
// double precision finds them equal.
void exactFloats(JsonWriter& json, const float* values, int count) {
  json.beginArray();
  for (int i = 0; i < count; ++i)
    json.number(static_cast<double>(values[i]));
  json.endArray();
}

void writeKeyedValues(JsonWriter& json, const std::vector<GltfKeyedValue>& values,
                      const std::string& prefix) {
  for (const GltfKeyedValue& value : values) {
    if (value.path.compare(0, prefix.size(), prefix) != 0)
      continue;
    json.key(value.path.substr(prefix.size()).c_str());
    if (value.width == 1)
      json.number(value.keys.front());
    else
      floats(json, value.keys.data(), value.width);
  }
}

void writeCamera(JsonWriter& json, const GltfCamera& camera) {
  json.beginObject();
  json.field("name", camera.name);
  const char* type = camera.perspective ? "perspective" : "orthographic";
  json.field("type", std::string(type));
  json.key(type);
  json.beginObject();
  writeKeyedValues(json, camera.values, std::string(type) + "/");
  if (!camera.perspective) {
    json.key("zfar");
    json.number(camera.zfar);
  }
  json.endObject();
  json.endObject();
}

// The light's own values; a spot light's cone goes into its "spot" object.
void writeLightValues(JsonWriter& json, const GltfLight& light) {
  json.beginObject();
  json.field("name", light.name);
  json.field("type", light.type);
  for (const GltfKeyedValue& value : light.values) {
    if (value.path.find('/') != std::string::npos)
      continue;
    json.key(value.path.c_str());
    if (value.width == 1)
      json.number(value.keys.front());
    else
      floats(json, value.keys.data(), value.width);
  }
  if (light.type == "spot") {
    json.key("spot");
    json.beginObject();
    writeKeyedValues(json, light.values, "spot/");
    json.endObject();
  }
  json.endObject();
}

void writeNode(JsonWriter& json, const GltfNode& node) {
  json.beginObject();
  json.field("name", node.name);
  if (node.camera >= 0)
    json.field("camera", static_cast<std::int64_t>(node.camera));
  if (node.translations.size() >= 3) {
    json.key("translation");
    floats(json, node.translations.data(), 3);
  }
  if (node.rotations.size() >= 4) {
    json.key("rotation");
    floats(json, node.rotations.data(), 4);
  }
  if (node.light >= 0) {
    json.key("extensions");
    json.beginObject();
    json.key("KHR_lights_punctual");
    json.beginObject();
    json.field("light", static_cast<std::int64_t>(node.light));
    json.endObject();
    json.endObject();
  }
  json.endObject();
}

void writeAnimation(JsonWriter& json, const AnimationBuilder& animation) {
  json.key("animations");
  json.beginArray();
  json.beginObject();
  json.field("name", std::string("shot"));
  json.key("samplers");
  json.beginArray();
  for (const Sampler& sampler : animation.samplers) {
    json.beginObject();
    json.field("input", static_cast<std::int64_t>(sampler.input));
    json.field("output", static_cast<std::int64_t>(sampler.output));
    json.field("interpolation", std::string("LINEAR"));
    json.endObject();
  }
  json.endArray();
  json.key("channels");
  json.beginArray();
  for (const Channel& channel : animation.channels) {
    json.beginObject();
    json.field("sampler", static_cast<std::int64_t>(channel.sampler));
    json.key("target");
    json.beginObject();
    if (channel.node >= 0)
      json.field("node", static_cast<std::int64_t>(channel.node));
    json.field("path", channel.path);
    if (!channel.pointer.empty()) {
      json.key("extensions");
      json.beginObject();
      json.key("KHR_animation_pointer");
      json.beginObject();
      json.field("pointer", channel.pointer);
      json.endObject();
      json.endObject();
    }
    json.endObject();
    json.endObject();
  }
  json.endArray();
  json.endObject();
  json.endArray();
}

void writeBufferData(JsonWriter& json, const Layout& layout, const std::string& uri) {
  if (layout.size() == 0)
    return;
  json.key("buffers");
  json.beginArray();
  json.beginObject();
  json.unsignedField("byteLength", layout.size());
  if (!uri.empty())
    json.field("uri", uri);
  json.endObject();
  json.endArray();
  json.key("bufferViews");
  json.beginArray();
  for (const Layout::View& view : layout.views) {
    json.beginObject();
    json.field("buffer", std::int64_t{0});
    json.unsignedField("byteOffset", view.offset);
    json.unsignedField("byteLength", view.length);
    if (view.stride > 0) {
      json.field("byteStride", static_cast<std::int64_t>(view.stride));
      json.field("target", static_cast<std::int64_t>(kArrayBuffer));
    }
    json.endObject();
  }
  json.endArray();
  json.key("accessors");
  json.beginArray();
  for (const Layout::Accessor& accessor : layout.accessors) {
    json.beginObject();
    json.field("bufferView", static_cast<std::int64_t>(accessor.view));
    if (accessor.byteOffset > 0)
      json.field("byteOffset", static_cast<std::int64_t>(accessor.byteOffset));
    json.field("componentType", static_cast<std::int64_t>(kFloat));
    json.unsignedField("count", accessor.count);
    json.field("type", std::string(accessorType(accessor.width)));
    if (accessor.bounds) {
      json.key("min");
      exactFloats(json, accessor.min, accessor.width);
      json.key("max");
      exactFloats(json, accessor.max, accessor.width);
    }
    json.endObject();
  }
  json.endArray();
}

void writeMeshObjects(JsonWriter& json, const std::vector<MeshPart>& meshes) {
  json.key("materials");
  json.beginArray();
  json.beginObject();
  json.field("name", std::string("vxrinfo default"));
  json.key("pbrMetallicRoughness");
  json.beginObject();
  json.key("baseColorFactor");
  const float grey[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  floats(json, grey, 4);
  json.field("metallicFactor", 0.0);
  json.field("roughnessFactor", 0.8);
  json.endObject();
  json.booleanField("doubleSided", true);
  json.endObject();
  json.endArray();
  json.key("meshes");
  json.beginArray();
  for (const MeshPart& mesh : meshes) {
    if (mesh.accessor < 0)
      continue;
    json.beginObject();
    json.field("name", mesh.survey.name);
    json.key("primitives");
    json.beginArray();
    json.beginObject();
    json.key("attributes");
    json.beginObject();
    json.field("POSITION", static_cast<std::int64_t>(mesh.accessor));
    json.field("NORMAL", static_cast<std::int64_t>(mesh.accessor + 1));
    json.field("TEXCOORD_0", static_cast<std::int64_t>(mesh.accessor + 2));
    json.endObject();
    json.field("material", std::int64_t{0});
    json.field("mode", static_cast<std::int64_t>(kTriangles));
    json.endObject();
    json.endArray();
    json.endObject();
  }
  json.endArray();
}

void writeExtensionNames(JsonWriter& json, const GltfShot& shot, bool pointers) {
  if (shot.lights.empty() && !pointers)
    return;
  json.key("extensionsUsed");
  json.beginArray();
  if (!shot.lights.empty())
    json.string(std::string("KHR_lights_punctual"));
  if (pointers)
    json.string(std::string("KHR_animation_pointer"));
  json.endArray();
}

int meshCount(const std::vector<MeshPart>& meshes) {
  int count = 0;
  for (const MeshPart& mesh : meshes)
    count += mesh.accessor >= 0 ? 1 : 0;
  return count;
}

struct Document {
  const GltfShot& shot;
  std::vector<MeshPart>& meshes;
  Layout& layout;
  AnimationBuilder& animation;
};

std::string documentJson(const Document& doc, const std::string& uri) {
  StringTextSink sink;
  JsonWriter json(sink);
  json.beginObject();
  json.key("asset");
  json.beginObject();
  json.field("version", std::string("2.0"));
  json.field("generator", std::string("vxrinfo"));
  json.endObject();
  writeExtensionNames(json, doc.shot, doc.animation.usesPointers());
  const std::int64_t nodeCount = static_cast<std::int64_t>(doc.shot.nodes.size());
  json.field("scene", std::int64_t{0});
  json.key("scenes");
  json.beginArray();
  json.beginObject();
  json.field("name", std::string("shot"));
  const std::int64_t total = nodeCount + static_cast<std::int64_t>(doc.meshes.size());
  if (total > 0) {
    json.key("nodes");
    json.beginArray();
    for (std::int64_t i = 0; i < total; ++i)
      json.integer(i);
    json.endArray();
  }
  json.endObject();
  json.endArray();
  if (total > 0) {
    json.key("nodes");
    json.beginArray();
    for (const GltfNode& node : doc.shot.nodes)
      writeNode(json, node);
    int meshIndex = 0;
    for (const MeshPart& mesh : doc.meshes) {
      json.beginObject();
      json.field("name", mesh.survey.name);
      if (mesh.accessor >= 0)
        json.field("mesh", static_cast<std::int64_t>(meshIndex++));
      json.endObject();
    }
    json.endArray();
  }
  if (!doc.shot.cameras.empty()) {
    json.key("cameras");
    json.beginArray();
    for (const GltfCamera& camera : doc.shot.cameras)
      writeCamera(json, camera);
    json.endArray();
  }
  if (meshCount(doc.meshes) > 0)
    writeMeshObjects(json, doc.meshes);
  if (!doc.animation.channels.empty())
    writeAnimation(json, doc.animation);
  writeBufferData(json, doc.layout, uri);
  if (!doc.shot.lights.empty()) {
    json.key("extensions");
    json.beginObject();
    json.key("KHR_lights_punctual");
    json.beginObject();
    json.key("lights");
    json.beginArray();
    for (const GltfLight& light : doc.shot.lights)
      writeLightValues(json, light);
    json.endArray();
    json.endObject();
    json.endObject();
  }
  json.endObject();
  sink.flush();
  return sink.text;
}

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
bool putBufferData(TextSink& out, const Layout& layout, const std::vector<std::string>& meshPaths,
                   FaultList& faults, std::string& changedPath) {
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

}  // namespace

GltfWriteReport writeGltf(const std::string& outputPath, const GltfShot& shot,
                          const std::vector<std::string>& meshPaths, FaultList& meshFaults) {
  GltfWriteReport report;
  Layout layout;
  AnimationBuilder animation(layout);
  for (std::size_t i = 0; i < shot.nodes.size(); ++i)
    animation.addNode(shot.nodes[i], static_cast<int>(i), shot);
  std::vector<MeshPart> meshes;
  for (const std::string& path : meshPaths)
    for (GltfMeshSurvey& survey : surveyGltfMeshes(path, meshFaults))
      meshes.push_back({std::move(survey), -1});
  addMeshes(meshes, layout);
  const Document doc{shot, meshes, layout, animation};
  const std::string binPath = gltfBufferPath(outputPath);
  const bool separate = !binPath.empty();

  if (separate) {
    const std::string json = documentJson(doc, uriEscape(fileName(binPath)));
    if (layout.size() > 0) {
      ReplacingFileStream bin(binPath.c_str());
      {
        PersistentTextSink sink(bin);
        if (!putBufferData(sink, layout, meshPaths, meshFaults, report.failedPath)) {
          bin.abandon();
          report.result = GltfWriteResult::inputDamaged;
        }
        if (!sink.flush())
          bin.abandon();
      }
      if (report.result != GltfWriteResult::written) {
        bin.close();
        return report;
      }
      if (bin.fail() || !bin.close()) {
        report.result = GltfWriteResult::outputFailed;
        report.failedPath = binPath;
        return report;
      }
    }
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
    return report;
  }

  std::string json = documentJson(doc, "");
  json.append((4 - json.size() % 4) % 4, ' ');
  const std::uint64_t binLength = layout.size();  // a multiple of 4: only floats
  const std::uint64_t total = 12 + 8 + json.size() + (binLength > 0 ? 8 + binLength : 0);
  if (total > std::numeric_limits<std::uint32_t>::max()) {
    report.result = GltfWriteResult::tooLarge;
    report.failedPath = outputPath;
    return report;
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
      if (!putBufferData(sink, layout, meshPaths, meshFaults, report.failedPath)) {
        file.abandon();
        report.result = GltfWriteResult::inputDamaged;
      }
    }
    if (!sink.flush())
      file.abandon();
  }
  if (report.result != GltfWriteResult::written) {
    file.close();
    return report;
  }
  if (file.fail() || !file.close()) {
    report.result = GltfWriteResult::outputFailed;
    report.failedPath = outputPath;
  }
  return report;
}
