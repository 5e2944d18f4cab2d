#pragma once

#include <cstdint>

// Constants of the mesh file (".vxrmesh"): a plain run of mesh records, with no file header.

// The first DWord of every record; its bytes, least significant first, spell "VXpm".
constexpr std::uint32_t kMeshRecordMagic = 0x6D705856;
// The only record version; it follows the magic as one Byte.
constexpr std::uint8_t kMeshRecordVersion = 0;
// Magic DWord and version Byte: the bytes the identify test looks at.
constexpr long kMeshRecordIdentifySize = 5;

// The identify test over the start of a file: true when it begins with the magic and version 0.
// Reads nothing past `size` bytes; a null buffer, a negative size or fewer than five bytes are not
// a mesh file.
bool isMeshFileStart(const char* buffer, long size);
