#include "tools/vxrinfo/convert/GltfJson.h"

#include <cstdint>

#include "tools/vxrinfo/text/JsonWriter.h"
#include "tools/vxrinfo/text/TextSink.h"

namespace {

constexpr int kArrayBuffer = 34962;
constexpr int kTriangles = 4;
constexpr int kFloat = 5126;

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

void writeAnimation(JsonWriter& json, const GltfAnimationBuilder& animation) {
  json.key("animations");
  json.beginArray();
  json.beginObject();
  json.field("name", std::string("shot"));
  json.key("samplers");
  json.beginArray();
  for (const GltfSampler& sampler : animation.samplers) {
    json.beginObject();
    json.field("input", static_cast<std::int64_t>(sampler.input));
    json.field("output", static_cast<std::int64_t>(sampler.output));
    json.field("interpolation", std::string("LINEAR"));
    json.endObject();
  }
  json.endArray();
  json.key("channels");
  json.beginArray();
  for (const GltfChannel& channel : animation.channels) {
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

void writeBufferData(JsonWriter& json, const GltfLayout& layout, const std::string& uri) {
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
  for (const GltfLayout::View& view : layout.views) {
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
  for (const GltfLayout::Accessor& accessor : layout.accessors) {
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

void writeMeshObjects(JsonWriter& json, const std::vector<GltfMeshPart>& meshes) {
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
  for (const GltfMeshPart& mesh : meshes) {
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

int meshCount(const std::vector<GltfMeshPart>& meshes) {
  int count = 0;
  for (const GltfMeshPart& mesh : meshes)
    count += mesh.accessor >= 0 ? 1 : 0;
  return count;
}

// The scene (every node at the root) and the nodes: tracks first, then one a mesh record.
void writeSceneAndNodes(JsonWriter& json, const GltfDocument& doc) {
  const std::int64_t total = static_cast<std::int64_t>(doc.shot.nodes.size() + doc.meshes.size());
  json.field("scene", std::int64_t{0});
  json.key("scenes");
  json.beginArray();
  json.beginObject();
  json.field("name", std::string("shot"));
  if (total > 0) {
    json.key("nodes");
    json.beginArray();
    for (std::int64_t i = 0; i < total; ++i)
      json.integer(i);
    json.endArray();
  }
  json.endObject();
  json.endArray();
  if (total == 0)
    return;
  json.key("nodes");
  json.beginArray();
  for (const GltfNode& node : doc.shot.nodes)
    writeNode(json, node);
  int meshIndex = 0;
  for (const GltfMeshPart& mesh : doc.meshes) {
    json.beginObject();
    json.field("name", mesh.survey.name);
    if (mesh.accessor >= 0)
      json.field("mesh", static_cast<std::int64_t>(meshIndex++));
    json.endObject();
  }
  json.endArray();
}

void writeLightList(JsonWriter& json, const std::vector<GltfLight>& lights) {
  json.key("extensions");
  json.beginObject();
  json.key("KHR_lights_punctual");
  json.beginObject();
  json.key("lights");
  json.beginArray();
  for (const GltfLight& light : lights)
    writeLightValues(json, light);
  json.endArray();
  json.endObject();
  json.endObject();
}

}  // namespace

std::string gltfDocumentJson(const GltfDocument& doc, const std::string& uri) {
  StringTextSink sink;
  JsonWriter json(sink);
  json.beginObject();
  json.key("asset");
  json.beginObject();
  json.field("version", std::string("2.0"));
  json.field("generator", std::string("vxrinfo"));
  json.endObject();
  writeExtensionNames(json, doc.shot, doc.animation.usesPointers());
  writeSceneAndNodes(json, doc);
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
  if (!doc.shot.lights.empty())
    writeLightList(json, doc.shot.lights);
  json.endObject();
  sink.flush();
  return sink.text;
}
