#include "tools/vxrinfo/AnimationFileChecker.h"

#include "anim_model/KeyValidity.h"

#include <cmath>
#include <cstdio>

#include "anim_model/AnimationFileFormat.h"
#include "anim_model/KeyValidity.h"
#include "anim_model/VXRAnimation_Camera.h"
#include "anim_model/VXRAnimation_Light.h"
#include "tools/vxrinfo/Utf8Text.h"

namespace {

// Bytes one key takes: version byte, projector (view 133, image size 8), frame.
constexpr std::uint64_t kCameraKeyBytes = 1 + 133 + 8 + 4;
// Version, frame, type, red, green, blue, position, target, four doubles.
constexpr std::uint64_t kLightKeyBytes = 1 + 4 + 4 + 24 + 24 + 4 * 8;
// A track without keys: version byte, key count, empty name.
constexpr std::uint64_t kMinTrackBytes = 1 + 4 + 4;

std::string joined(const std::string& base, const char* member) {
  if (base.empty())
    return member;
  return member[0] == '\0' ? base : base + "." + member;
}

std::string indexed(const std::string& base, std::uint32_t index) {
  return base + "[" + std::to_string(index) + "]";
}

const char* const kAxisNames[3] = {"x", "y", "z"};

}  // namespace

void AnimationFileChecker::stop(std::uint64_t at, const std::string& field,
                                const std::string& message) {
  faults_.error(at, field, message);
}

void AnimationFileChecker::shortRead(std::uint64_t at, const std::string& field,
                                     std::uint64_t bytes) {
  stop(at, field, reader_.shortReadMessage(at, bytes));
}

bool AnimationFileChecker::byteField(const std::string& base, const char* member,
                                     std::uint8_t& value) {
  const std::uint64_t at = reader_.offset();
  if (reader_.readByte(value))
    return true;
  shortRead(at, joined(base, member), 1);
  return false;
}

bool AnimationFileChecker::dwordField(const std::string& base, const char* member,
                                      std::uint32_t& value) {
  const std::uint64_t at = reader_.offset();
  if (reader_.readDWord(value))
    return true;
  shortRead(at, joined(base, member), 4);
  return false;
}

bool AnimationFileChecker::floatField(const std::string& base, const char* member) {
  const std::uint64_t at = reader_.offset();
  float value = 0.0f;
  if (!reader_.readFloat(value)) {
    shortRead(at, joined(base, member), 4);
    return false;
  }
  if (!std::isfinite(value))
    faults_.error(at, joined(base, member), "value is not finite");
  return true;
}

bool AnimationFileChecker::doubleField(const std::string& base, const char* member, double* kept) {
  const std::uint64_t at = reader_.offset();
  double value = 0.0;
  if (!reader_.readDouble(value)) {
    shortRead(at, joined(base, member), 8);
    return false;
  }
  if (!std::isfinite(value))
    faults_.error(at, joined(base, member), "value is not finite");
  if (kept != nullptr)
    *kept = value;
  return true;
}

bool AnimationFileChecker::vectorField(const std::string& base, const char* member, int dimensions,
                                       double* kept) {
  for (int axis = 0; axis < dimensions; ++axis) {
    const std::uint64_t at = reader_.offset();
    double value = 0.0;
    if (!reader_.readDouble(value)) {
      shortRead(at, joined(joined(base, member), kAxisNames[axis]), 8);
      return false;
    }
    if (!std::isfinite(value))
      faults_.error(at, joined(joined(base, member), kAxisNames[axis]), "value is not finite");
    if (kept != nullptr)
      kept[axis] = value;
  }
  return true;
}

bool AnimationFileChecker::check() {
  std::uint32_t magic = 0;
  if (!dwordField("", "magic", magic))
    return false;
  if (magic != kAnimationFileMagic) {
    char text[80];
    std::snprintf(text, sizeof text, "expected the animation magic 0x%08X (\"VXan\"), found 0x%08X",
                  static_cast<unsigned>(kAnimationFileMagic), static_cast<unsigned>(magic));
    stop(0, "magic", text);
    return false;
  }
  if (!byteField("", "version", totals_.version))
    return false;
  if (totals_.version > kAnimationFileVersion) {
    stop(4, "version", "version " + std::to_string(totals_.version) + " is not known (0 or 1)");
    return false;
  }
  if (totals_.version >= 1) {
    std::uint8_t axis = 0;
    if (!byteField("", "upAxis", axis))
      return false;
    if (axis != kUpAxisYByte && axis != kUpAxisZByte) {
      char text[96];
      std::snprintf(text, sizeof text, "up-axis byte 0x%02X is neither 'y' nor 'z'; read as y-up",
                    static_cast<unsigned>(axis));
      faults_.warning(5, "upAxis", text);
    }
  }
  if (!readList(false))
    return false;
  if (totals_.version >= 1 && !readList(true))
    return false;
  if (reader_.remainingKnown() && reader_.remaining() > 0) {
    faults_.warning(reader_.offset(), "",
                    std::to_string(reader_.remaining()) +
                        " bytes after the end of the animation data are not read");
  }
  return true;
}

bool AnimationFileChecker::readList(bool lights) {
  const std::string list = lights ? "lights" : "cameras";
  std::uint8_t version = 0;
  if (!byteField(list, "version", version))
    return false;
  std::uint32_t count = 0;
  const std::uint64_t countAt = reader_.offset();
  if (!dwordField(list, "count", count))
    return false;
  if (!reader_.canHold(count, 1)) {
    stop(countAt, list + ".count",
         "count " + std::to_string(count) + " is more than the " +
             std::to_string(reader_.remaining()) + " bytes left");
    return false;
  }
  (lights ? totals_.lightTracks : totals_.cameraTracks) = count;
  const char* wanted =
      lights ? VXRAnimation_Light::gTypeInfo_.name() : VXRAnimation_Camera::gTypeInfo_.name();
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::string path = indexed(list, i);
    const std::uint64_t tagAt = reader_.offset();
    std::uint8_t tag = 0;
    if (!byteField(path, "", tag))
      return false;
    if (tag == 0) {
      faults_.error(tagAt, path, "null entry where a track belongs; the reader refuses the file");
      continue;
    }
    if (tag != 1) {
      stop(tagAt, path,
           "object tag " + std::to_string(tag) + " is neither 0 (null) nor 1 (object)");
      return false;
    }
    const std::uint64_t classAt = reader_.offset();
    GString className;
    std::uint32_t length = 0;
    if (!reader_.readString(className, length)) {
      if (reader_.offset() == classAt)
        shortRead(classAt, path + ".class", 4);
      else
        stop(classAt, path + ".class",
             "class name of " + std::to_string(length) +
                 " bytes: " + reader_.shortReadMessage(classAt + 4, length));
      return false;
    }
    if (!(className == wanted)) {
      stop(classAt, path + ".class",
           "class " + quoteForDisplay(className.data(), className.length()) + " where a " + wanted +
               " track belongs");
      return false;
    }
    if (!reader_.canHold(kMinTrackBytes, 1)) {
      shortRead(reader_.offset(), path, kMinTrackBytes);
      return false;
    }
    if (!readTrack(lights, path))
      return false;
  }
  return true;
}

bool AnimationFileChecker::readTrack(bool lights, const std::string& path) {
  std::uint8_t version = 0;
  if (!byteField(path, "version", version))
    return false;
  std::uint32_t keys = 0;
  const std::uint64_t countAt = reader_.offset();
  if (!dwordField(path, "keyCount", keys))
    return false;
  const std::uint64_t keyBytes = lights ? kLightKeyBytes : kCameraKeyBytes;
  if (!reader_.canHold(keys, keyBytes)) {
    stop(countAt, path + ".keyCount",
         "keyCount " + std::to_string(keys) + " needs " +
             std::to_string(static_cast<std::uint64_t>(keys) * keyBytes) + " bytes, only " +
             std::to_string(reader_.remaining()) + " left");
    return false;
  }
  (lights ? totals_.lightKeys : totals_.cameraKeys) += keys;
  for (std::uint32_t k = 0; k < keys; ++k) {
    const std::string key = indexed(path + ".keys", k);
    if (!(lights ? readLightKey(key) : readCameraKey(key)))
      return false;
  }
  const std::uint64_t nameAt = reader_.offset();
  GString name;
  std::uint32_t length = 0;
  if (!reader_.readString(name, length)) {
    if (reader_.offset() == nameAt)
      shortRead(nameAt, path + ".name", 4);
    else
      stop(nameAt, path + ".name",
           "name of " + std::to_string(length) +
               " bytes: " + reader_.shortReadMessage(nameAt + 4, length));
    return false;
  }
  return true;
}

bool AnimationFileChecker::readCameraKey(const std::string& path) {
  const std::uint64_t keyAt = reader_.offset();
  const std::uint64_t errorsBefore = faults_.errorCount();
  std::uint8_t version = 0;
  if (!byteField(path, "version", version))
    return false;
  const std::string projector = path + ".projector";
  double origin[3], direction[3], up[3], windowOrigin[2], windowSize[2], eye[3];
  if (!vectorField(projector, "plane.origin", 3, origin) ||
      !vectorField(projector, "plane.direction", 3, direction) ||
      !vectorField(projector, "plane.up", 3, up) ||
      !vectorField(projector, "window.origin", 2, windowOrigin) ||
      !vectorField(projector, "window.size", 2, windowSize) ||
      !vectorField(projector, "eyeOffset", 3, eye))
    return false;
  CameraKey key;
  ProjectorInfo& p = key.projector;
  p.plane.setPlaneParameters(Vector3D(origin[0], origin[1], origin[2]),
                             Vector3D(direction[0], direction[1], direction[2]),
                             Vector3D(up[0], up[1], up[2]));
  p.window.origin = Vector2D(windowOrigin[0], windowOrigin[1]);
  p.window.size = Vector2D(windowSize[0], windowSize[1]);
  p.eyeOffset = Vector3D(eye[0], eye[1], eye[2]);
  const std::uint64_t flagAt = reader_.offset();
  std::uint8_t perspective = 0;
  if (!byteField(projector, "perspective", perspective))
    return false;
  if (perspective > 1) {
    faults_.warning(flagAt, projector + ".perspective",
                    "perspective flag " + std::to_string(perspective) + " is neither 0 nor 1");
  }
  std::uint32_t unused = 0;
  if (!floatField(projector, "scale") || !dwordField(projector, "imageWidth", unused) ||
      !dwordField(projector, "imageHeight", unused) || !dwordField(path, "frame", unused))
    return false;
  // A value already reported as not finite is not reported again as an unusable key.
  if (faults_.errorCount() == errorsBefore)
    unusableKey(keyAt, path, cameraKeyFault(key));
  return true;
}

bool AnimationFileChecker::readLightKey(const std::string& path) {
  const std::uint64_t keyAt = reader_.offset();
  const std::uint64_t errorsBefore = faults_.errorCount();
  std::uint8_t byte = 0;
  std::uint32_t frame = 0;
  if (!byteField(path, "version", byte) || !dwordField(path, "frame", frame))
    return false;
  const std::uint64_t typeAt = reader_.offset();
  LightKey key;
  double position[3], target[3];
  if (!byteField(path, "type", key.type))
    return false;
  if (key.type < 1 || key.type > 3) {
    faults_.error(typeAt, path + ".type",
                  "light type " + std::to_string(key.type) +
                      " is not 1 (directional), 2 (point) or 3 (spot)");
  }
  if (!byteField(path, "red", byte) || !byteField(path, "green", byte) ||
      !byteField(path, "blue", byte) || !vectorField(path, "position", 3, position) ||
      !vectorField(path, "target", 3, target) || !doubleField(path, "intensity", &key.intensity) ||
      !doubleField(path, "coneHalfAngle", &key.coneHalfAngle) ||
      !doubleField(path, "penumbraAngle", &key.penumbraAngle) || !doubleField(path, "reserved"))
    return false;
  key.position = Vector3D(position[0], position[1], position[2]);
  key.target = Vector3D(target[0], target[1], target[2]);
  if (faults_.errorCount() == errorsBefore)
    unusableKey(keyAt, path, lightKeyFault(key));
  return true;
}

void AnimationFileChecker::unusableKey(std::uint64_t at, const std::string& path,
                                       const char* fault) {
  if (fault != nullptr)
    faults_.error(at, path, std::string("the key ") + fault + "; the import skips it");
}
