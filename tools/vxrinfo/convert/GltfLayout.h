#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/vxrinfo/convert/GltfMeshes.h"
#include "tools/vxrinfo/convert/GltfShot.h"

// Where everything goes in a glTF asset's one buffer: the animation values (held here, small),
// then the vertices of every mesh record (streamed in later, only their sizes are known here),
// with the buffer views, accessors, samplers and channels that point into it.

struct GltfLayout {
  struct View {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    std::uint32_t stride = 0;  // interleaved vertices; 0 for tightly packed values
  };
  struct Accessor {
    int view = 0;
    std::uint32_t byteOffset = 0;
    std::uint64_t count = 0;
    int width = 1;  // floats a value: SCALAR, VEC2, VEC3, VEC4
    bool bounds = false;
    float min[3] = {0.0f, 0.0f, 0.0f};
    float max[3] = {0.0f, 0.0f, 0.0f};
  };

  std::vector<View> views;
  std::vector<Accessor> accessors;
  std::string data;  // the animation values, little-endian floats
  std::uint64_t meshBytes = 0;

  // Appends `values` (`width` a value) as one view and accessor; returns the accessor's index.
  // `withBounds` for key times, which are increasing scalars.
  int addFloats(const std::vector<float>& values, int width, bool withBounds);
  std::uint64_t size() const { return data.size() + meshBytes; }
};

struct GltfChannel {
  int sampler = 0;
  int node = -1;        // for translation and rotation
  std::string path;     // "translation", "rotation" or "pointer"
  std::string pointer;  // for "pointer": the animated property
};

struct GltfSampler {
  int input = 0;
  int output = 0;
};

// The one animation of a shot: a sampler and channel for every value that changes over the
// keys, node places and orientations as node channels, camera and light values as pointer
// channels. Values that never change are not keyed.
class GltfAnimationBuilder {
 public:
  explicit GltfAnimationBuilder(GltfLayout& layout) : layout_(layout) {}
  void addNode(const GltfNode& node, int index, const GltfShot& shot);
  bool usesPointers() const;

  std::vector<GltfSampler> samplers;
  std::vector<GltfChannel> channels;

 private:
  GltfLayout& layout_;
};

struct GltfMeshPart {
  GltfMeshSurvey survey;
  int accessor = -1;  // POSITION; NORMAL and TEXCOORD_0 follow. -1: no triangles, no mesh
};

// Lays out the vertices of every record that has triangles, after the animation data.
void addGltfMeshes(std::vector<GltfMeshPart>& meshes, GltfLayout& layout);
