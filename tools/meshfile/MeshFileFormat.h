#pragma once

#include <cstdint>

// Constants of the mesh file (".vxrmesh"): a plain sequence of mesh records with nothing before,
// between or after them. An empty file holds no mesh.

// The first DWord of every record; its bytes, least significant first, spell "VXpm".
constexpr std::uint32_t kMeshRecordMagic = 0x6D705856;
// The only record version there is.
constexpr std::uint8_t kMeshRecordVersion = 0;

// Fixed sizes, in bytes, used to refuse counts the rest of the file cannot hold.
constexpr std::uint64_t kMeshVectorBytes = 3 * 4;                         // three floats
constexpr std::uint64_t kMeshCornerBytes = 4 + 4 + 4 + 4;                 // two DWords, two floats
constexpr std::uint64_t kMeshFaceNormalBytes = 3 * 8;                     // three doubles
constexpr std::uint64_t kMeshMinPolygonBytes = 4 + kMeshFaceNormalBytes;  // no corners
