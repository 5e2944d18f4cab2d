#pragma once

#include <string>
#include <vector>

#include "tools/vxrinfo/convert/GltfLayout.h"
#include "tools/vxrinfo/convert/GltfShot.h"

// The JSON of a glTF asset: scene, nodes, cameras, lights, meshes, the animation and the buffer
// layout. `bufferUri` names the .bin of a .gltf; empty for a .glb, whose buffer is its own
// binary chunk.
struct GltfDocument {
  const GltfShot& shot;
  const std::vector<GltfMeshPart>& meshes;
  const GltfLayout& layout;
  const GltfAnimationBuilder& animation;
};

std::string gltfDocumentJson(const GltfDocument& doc, const std::string& bufferUri);
