#include "tools/vxrinfo/files/AnimationFileChecker.h"
#include <cmath>
#include <cstdio>
#include <cstring>

#include "anim_model/AnimationFileFormat.h"
#include "anim_model/KeyFields.h"
#include "anim_model/KeyValidity.h"
#include "anim_model/VXRAnimation_Camera.h"
#include "anim_model/VXRAnimation_Light.h"
#include "tools/vxrinfo/text/Utf8Text.h"

namespace {

// Counts the bytes a record's fields take, from the same walk the readers use.
class FieldByteCount {
 public:
  std::uint64_t bytes = 0;

  void enter(const char* /*group*/) {}
  void leave() {}
  void byte(const char* /*name*/, std::uint8_t /*value*/) { bytes += 1; }
  void dword(const char* /*name*/, std::int32_t /*value*/) { bytes += 4; }
  void real(const char* /*name*/, float /*value*/) { bytes += 4; }
  void real(const char* /*name*/, double /*value*/) { bytes += 8; }
  void vector(const char* /*name*/, const Vector2D& /*value*/) { bytes += 16; }
  void vector(const char* /*name*/, const Vector3D& /*value*/) { bytes += 24; }
};

template <class Key, void (*walk)(FieldByteCount&, const Key&)>
std::uint64_t keyBytes() {
  FieldByteCount count;
  walk(count, Key());
  return count.bytes;
}

// Bytes one key takes.
const std::uint64_t kCameraKeyBytes =
    keyBytes<CameraKey, walkCameraKeyFields<FieldByteCount, const CameraKey>>();
const std::uint64_t kLightKeyBytes =
    keyBytes<LightKey, walkLightKeyFields<FieldByteCount, const LightKey>>();
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

bool AnimationFileChecker::floatField(const std::string& base, const char* member, float* kept) {
  const std::uint64_t at = reader_.offset();
  float value = 0.0f;
  if (!reader_.readFloat(value)) {
    shortRead(at, joined(base, member), 4);
    return false;
  }
  if (!std::isfinite(value))
    faults_.error(at, joined(base, member), "value is not finite");
  if (kept != nullptr)
    *kept = value;
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

// Walks one key's fields (the walk shared with the tracks' readers) through the checker's field
// readers, so each field is read, checked and reported under its path. After the first field
// that cannot be read the walk does nothing more.
class AnimationFileChecker::KeyFieldWalk {
 public:
  KeyFieldWalk(AnimationFileChecker& checker, const std::string& keyPath)
      : checker_(checker), base_(keyPath) {}

  bool complete() const { return complete_; }

  void enter(const char* group) { base_ = joined(base_, group); }
  void leave() { base_.erase(base_.rfind('.')); }

  void byte(const char* name, std::uint8_t& value) {
    const std::uint64_t at = checker_.reader_.offset();
    if (complete_ && (complete_ = checker_.byteField(base_, name, value)))
      checker_.checkByteValue(at, joined(base_, name), name, value);
  }
  void dword(const char* name, std::int32_t& value) {
    std::uint32_t bits = 0;
    if (complete_ && (complete_ = checker_.dwordField(base_, name, bits)))
      value = static_cast<std::int32_t>(bits);
  }
  void real(const char* name, float& value) {
    if (complete_)
      complete_ = checker_.floatField(base_, name, &value);
  }
  void real(const char* name, double& value) {
    if (complete_)
      complete_ = checker_.doubleField(base_, name, &value);
  }
  void vector(const char* name, Vector2D& value) {
    double kept[2] = {0.0, 0.0};
    if (complete_ && (complete_ = checker_.vectorField(base_, name, 2, kept)))
      value = Vector2D(kept[0], kept[1]);
  }
  void vector(const char* name, Vector3D& value) {
    double kept[3] = {0.0, 0.0, 0.0};
    if (complete_ && (complete_ = checker_.vectorField(base_, name, 3, kept)))
      value = Vector3D(kept[0], kept[1], kept[2]);
  }

 private:
  AnimationFileChecker& checker_;
  std::string base_;
  bool complete_ = true;
};

void AnimationFileChecker::checkByteValue(std::uint64_t at, const std::string& field,
                                          const char* name, std::uint8_t value) {
  if (std::strcmp(name, "perspective") == 0 && value > 1) {
    faults_.warning(at, field, "perspective flag " + std::to_string(value) + " is neither 0 nor 1");
  } else if (std::strcmp(name, "type") == 0 && (value < 1 || value > 3)) {
    faults_.error(
        at, field,
        "light type " + std::to_string(value) + " is not 1 (directional), 2 (point) or 3 (spot)");
  }
}

bool AnimationFileChecker::readCameraKey(const std::string& path) {
  const std::uint64_t keyAt = reader_.offset();
  const std::uint64_t errorsBefore = faults_.errorCount();
  CameraKey key;
  KeyFieldWalk walk(*this, path);
  walkCameraKeyFields(walk, key);
  if (!walk.complete())
    return false;
  // A value already reported as not finite is not reported again as an unusable key.
  if (faults_.errorCount() == errorsBefore)
    unusableKey(keyAt, path, cameraKeyFault(key));
  return true;
}

bool AnimationFileChecker::readLightKey(const std::string& path) {
  const std::uint64_t keyAt = reader_.offset();
  const std::uint64_t errorsBefore = faults_.errorCount();
  LightKey key;
  KeyFieldWalk walk(*this, path);
  walkLightKeyFields(walk, key);
  if (!walk.complete())
    return false;
  if (faults_.errorCount() == errorsBefore)
    unusableKey(keyAt, path, lightKeyFault(key));
  return true;
}

void AnimationFileChecker::unusableKey(std::uint64_t at, const std::string& path,
                                       const char* fault) {
  if (fault != nullptr)
    faults_.error(at, path, std::string("the key ") + fault + "; the import skips it");
}
