#pragma once

#include <cstdint>

// Constants of the mesh file (".vxrmesh"): a plain sequence of mesh records with nothing before,
// between or after them, and no file header. An empty file holds no mesh. The writer and the
// reader both take them from here.

// The file name extension, without the dot.
constexpr const char* kMeshFileExtension = "vxrmesh";

// The first DWord of every record; its bytes, least significant first, spell "VXpm".
constexpr std::uint32_t kMeshRecordMagic = 0x6D705856;
// The only record version; it follows the magic as one Byte.
constexpr std::uint8_t kMeshRecordVersion = 0;
// Magic DWord and version Byte: the bytes the identify test looks at.
constexpr long kMeshRecordIdentifySize = 5;

// Fixed sizes, in bytes, used to refuse counts the rest of the file cannot hold.
constexpr std::uint64_t kMeshVectorBytes = 3 * 4;                         // three floats
constexpr std::uint64_t kMeshCornerBytes = 4 + 4 + 4 + 4;                 // two DWords, two floats
constexpr std::uint64_t kMeshFaceNormalBytes = 3 * 8;                     // three doubles
constexpr std::uint64_t kMeshMinPolygonBytes = 4 + kMeshFaceNormalBytes;  // no corners

// The identify test over the start of a file: true when it begins with the magic and version 0.
// Reads nothing past `size` bytes; a null buffer, a negative size or fewer than five bytes are not
// a mesh file.
bool isMeshFileStart(const char* buffer, long size);
