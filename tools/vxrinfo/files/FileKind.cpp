#include "tools/vxrinfo/files/FileKind.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "anim_model/AnimationFileFormat.h"
#include "boundary/base/ByteOrder.h"
#include "boundary/base/ifpstream.h"
#include "boundary/base/impstream.h"
#include "mesh_model/MeshFileFormat.h"

namespace {

// Magic (4), version (1) and up-axis byte (1): all that telling the kind needs.
constexpr std::size_t kHeadBytes = 6;

std::string firstBytesInHex(const char* bytes, std::size_t length) {
  std::string out;
  for (std::size_t i = 0; i < length && i < 4; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X",
                  static_cast<unsigned>(static_cast<unsigned char>(bytes[i])));
    if (!out.empty())
      out += ' ';
    out += hex;
  }
  return out;
}

}  // namespace

const char* kindName(FileIdentity::Kind kind) {
  switch (kind) {
    case FileIdentity::Kind::animation:
      return "animation";
    case FileIdentity::Kind::mesh:
      return "mesh";
    case FileIdentity::Kind::unknown:
      return "unknown";
    case FileIdentity::Kind::unreadable:
      return "unreadable";
  }
  return "unknown";
}

FileIdentity identifyBytes(const char* bytes, std::size_t length) {
  FileIdentity id;
  id.size = length;
  if (length == 0) {
    id.kind = FileIdentity::Kind::mesh;
    return id;
  }
  if (length < 4) {
    id.reason = "only " + std::to_string(length) + " bytes: too short for any file kind";
    return id;
  }
  const std::uint32_t magic = gbyteorder::load32(bytes);
  if (magic == kMeshRecordMagic) {
    id.kind = FileIdentity::Kind::mesh;
    return id;
  }
  impstream head(bytes, static_cast<long>(length < kHeadBytes ? length : kHeadBytes));
  if (isAnimationFile(head)) {
    id.kind = FileIdentity::Kind::animation;
    id.animationVersion = static_cast<std::uint8_t>(bytes[4]);
    if (id.animationVersion >= 1 && length > 5)
      id.upAxisByte = static_cast<std::uint8_t>(bytes[5]);
    return id;
  }
  if (magic == kAnimationFileMagic) {
    id.reason = length < 5 ? std::string("animation magic without a version byte")
                           : "animation file of version " +
                                 std::to_string(static_cast<unsigned char>(bytes[4])) +
                                 ", which this tool does not know (0 or 1)";
    return id;
  }
  id.reason =
      "neither an animation nor a mesh file (first bytes " + firstBytesInHex(bytes, length) + ")";
  return id;
}

FileIdentity identifyFile(const std::string& path) {
  FileIdentity id;
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    id.kind = FileIdentity::Kind::unreadable;
    id.reason = std::string("cannot open: ") + std::strerror(errno);
    return id;
  }
  if (!S_ISREG(info.st_mode)) {
    id.kind = FileIdentity::Kind::unreadable;
    id.reason = S_ISDIR(info.st_mode) ? "is a folder" : "is not a regular file";
    return id;
  }
  ifpstream in(path.c_str());
  if (in.fail()) {
    id.kind = FileIdentity::Kind::unreadable;
    id.reason = "cannot open for reading";
    return id;
  }
  const std::size_t size = in.remaining();
  char head[kHeadBytes] = {};
  const std::size_t n = size < kHeadBytes ? size : kHeadBytes;
  if (n > 0 && !in.readBytes(head, n)) {
    id.kind = FileIdentity::Kind::unreadable;
    id.reason = "read error";
    return id;
  }
  id = identifyBytes(head, n);
  id.size = size;
  return id;
}
