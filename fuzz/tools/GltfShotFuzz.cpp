// Feeds arbitrary bytes to the glTF conversion of vxrinfo: a file the checker passes is mapped
// onto glTF, and whatever the mapping does not refuse must be something glTF can hold: finite
// single-precision values, unit rotations, times from 0 strictly increasing, camera values
// above 0, spot cones with 0 <= inner < outer <= pi/2. Then the JSON is built from it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "anim_model/AnimationDocument.h"
#include "boundary/base/impstream.h"
#include "tools/vxrinfo/convert/GltfJson.h"
#include "tools/vxrinfo/convert/GltfLayout.h"
#include "tools/vxrinfo/convert/GltfShot.h"
#include "tools/vxrinfo/files/AnimationFileChecker.h"

namespace {

void require(bool condition) {
  if (!condition)
    std::abort();
}

void checkFinite(const std::vector<float>& values) {
  for (const float v : values)
    require(std::isfinite(v));
}

void checkNode(const GltfNode& node) {
  checkFinite(node.times);
  checkFinite(node.translations);
  checkFinite(node.rotations);
  for (std::size_t i = 0; i < node.times.size(); ++i)
    require(node.times[i] >= 0.0f && (i == 0 || node.times[i] > node.times[i - 1]));
  for (std::size_t i = 0; i + 3 < node.rotations.size(); i += 4) {
    const float* q = &node.rotations[i];
    require(std::fabs(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3] - 1.0f) < 1e-4f);
  }
}

const GltfKeyedValue* valueAt(const std::vector<GltfKeyedValue>& values, const char* path) {
  for (const GltfKeyedValue& value : values)
    if (value.path == path)
      return &value;
  return nullptr;
}

void checkShot(const GltfShot& shot) {
  for (const GltfNode& node : shot.nodes)
    checkNode(node);
  for (const GltfCamera& camera : shot.cameras) {
    for (const GltfKeyedValue& value : camera.values) {
      checkFinite(value.keys);
      for (const float v : value.keys)
        require(v > 0.0f);
    }
    if (const GltfKeyedValue* zNear = valueAt(camera.values, "orthographic/znear"))
      for (const float v : zNear->keys)
        require(camera.zfar > v);
  }
  for (const GltfLight& light : shot.lights) {
    for (const GltfKeyedValue& value : light.values)
      checkFinite(value.keys);
    const GltfKeyedValue* inner = valueAt(light.values, "spot/innerConeAngle");
    const GltfKeyedValue* outer = valueAt(light.values, "spot/outerConeAngle");
    if (inner == nullptr || outer == nullptr)
      continue;
    for (std::size_t k = 0; k < outer->keys.size(); ++k)
      require(inner->keys[k] >= 0.0f && inner->keys[k] < outer->keys[k] &&
              static_cast<double>(outer->keys[k]) <= 1.5707963267948966);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FaultList faults;
  {
    impstream in(data, static_cast<long>(size));
    AnimationFileChecker checker(in, faults);
    if (!checker.check() || faults.hasErrors())
      return 0;
  }
  AnimationDocument document;
  impstream in(data, static_cast<long>(size));
  if (!document.read(in))
    return 0;
  GltfOptions options;
  options.startFrame = -1000;
  const GltfShot shot = buildGltfShot(document, options);
  if (!shot.refusals.empty())
    return 0;
  checkShot(shot);
  GltfLayout layout;
  GltfAnimationBuilder animation(layout);
  for (std::size_t i = 0; i < shot.nodes.size(); ++i)
    animation.addNode(shot.nodes[i], static_cast<int>(i), shot);
  const std::vector<GltfMeshPart> meshes;
  const std::string json = gltfDocumentJson({shot, meshes, layout, animation}, "");
  require(!json.empty() && json.front() == '{' && json.back() == '}');
  return 0;
}
