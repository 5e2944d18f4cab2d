#include "tools/vxrinfo/convert/GltfLayout.h"

#include <cstring>

#include "boundary/base/ByteOrder.h"

namespace {

bool variesBy(const std::vector<float>& values, std::size_t width) {
  for (std::size_t i = width; i < values.size(); ++i)
    if (values[i] != values[i % width])
      return true;
  return false;
}

}  // namespace

int GltfLayout::addFloats(const std::vector<float>& values, int width, bool withBounds) {
  GltfLayout::View view;
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
  GltfLayout::Accessor accessor;
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

void GltfAnimationBuilder::addNode(const GltfNode& node, int index, const GltfShot& shot) {
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

bool GltfAnimationBuilder::usesPointers() const {
  for (const GltfChannel& channel : channels)
    if (channel.path == "pointer")
      return true;
  return false;
}

void addGltfMeshes(std::vector<GltfMeshPart>& meshes, GltfLayout& layout) {
  for (GltfMeshPart& mesh : meshes) {
    if (mesh.survey.triangles == 0)
      continue;
    GltfLayout::View view;
    view.offset = layout.size();
    view.length = mesh.survey.triangles * 3 * kGltfVertexBytes;
    view.stride = kGltfVertexBytes;
    layout.views.push_back(view);
    layout.meshBytes += view.length;
    mesh.accessor = static_cast<int>(layout.accessors.size());
    for (int a = 0; a < 3; ++a) {
      GltfLayout::Accessor accessor;
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
