#pragma once

#include <string>
#include <vector>

#include "tools/vxrinfo/convert/GltfShot.h"

class FaultList;

// Writes a shot (cameras and lights, GltfShot.h) and the records of checked mesh files as one
// glTF 2.0 asset: a binary .glb, or, when `outputPath` ends in ".gltf", a JSON file with its data
// in a .bin file of the same stem beside it. Each file is replaced whole or left as it was.
enum class GltfWriteResult { written, inputDamaged, tooLarge, outputFailed };

struct GltfWriteReport {
  GltfWriteResult result = GltfWriteResult::written;
  std::string failedPath;  // the file that could not be written, or the mesh file that changed
};

GltfWriteReport writeGltf(const std::string& outputPath, const GltfShot& shot,
                          const std::vector<std::string>& meshPaths, FaultList& meshFaults);

// The .bin file that goes with a .gltf output path; empty for a .glb path.
std::string gltfBufferPath(const std::string& outputPath);
// A file name as a relative URI: every byte but letters, digits and "-._~" percent-encoded.
std::string uriEscape(const std::string& name);
