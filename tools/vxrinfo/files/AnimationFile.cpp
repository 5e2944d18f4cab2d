#include "tools/vxrinfo/files/AnimationFile.h"

#include <algorithm>
#include <vector>

#include "anim_model/LightKey.h"
#include "boundary/base/ifpstream.h"
#include "tools/vxrinfo/files/AnimationFileChecker.h"
#include "tools/vxrinfo/files/FaultJson.h"
#include "tools/vxrinfo/text/JsonWriter.h"
#include "tools/vxrinfo/text/TextSink.h"
#include "tools/vxrinfo/text/Utf8Text.h"

namespace {

template <class Track>
bool frameRange(const Track& track, std::int32_t& first, std::int32_t& last) {
  if (track.keyCount() == 0)
    return false;
  first = last = track.key(0)->frame;
  for (int i = 1; i < track.keyCount(); ++i) {
    first = std::min(first, track.key(i)->frame);
    last = std::max(last, track.key(i)->frame);
  }
  return true;
}

std::vector<int> lightTypes(const VXRAnimation_Light& track) {
  std::vector<int> types;
  for (int i = 0; i < track.keyCount(); ++i) {
    const int type = track.key(i)->type;
    if (std::find(types.begin(), types.end(), type) == types.end())
      types.push_back(type);
  }
  return types;
}

std::string upAxisText(const AnimationFile& file) {
  return file.document.upAxisIsZ ? "z" : "y";
}

template <class Track>
void summariseTrack(const char* what, const Track& track, TextSink& out) {
  out.put("  ");
  out.put(what);
  out.put(' ');
  out.put(quoteForDisplay(track.name.data(), track.name.length()));
  std::int32_t first = 0;
  std::int32_t last = 0;
  if (frameRange(track, first, last)) {
    out.put(": " + std::to_string(track.keyCount()) + (track.keyCount() == 1 ? " key" : " keys") +
            ", frames " + std::to_string(first) + " to " + std::to_string(last));
  } else {
    out.put(": no keys");
  }
}

template <class Track>
void writeTrackHead(const Track& track, JsonWriter& json) {
  writeNameMembers(json, track.name.data(), track.name.length());
  json.field("keyCount", static_cast<std::int64_t>(track.keyCount()));
  json.key("frameRange");
  std::int32_t first = 0;
  std::int32_t last = 0;
  if (frameRange(track, first, last)) {
    json.beginArray();
    json.integer(first);
    json.integer(last);
    json.endArray();
  } else {
    json.null();
  }
}

void writeVector(JsonWriter& json, const char* name, const Vector3D& v) {
  json.key(name);
  json.triple(v.x, v.y, v.z);
}

void writeCameraKey(const CameraKey& key, JsonWriter& json) {
  const ProjectorInfo& p = key.projector;
  json.beginObject();
  json.field("frame", static_cast<std::int64_t>(key.frame));
  json.key("plane");
  json.beginObject();
  writeVector(json, "origin", p.plane.origin);
  writeVector(json, "direction", p.plane.direction);
  writeVector(json, "up", p.plane.up);
  json.endObject();
  json.key("window");
  json.beginObject();
  json.key("origin");
  json.pair(p.window.origin.x, p.window.origin.y);
  json.key("size");
  json.pair(p.window.size.x, p.window.size.y);
  json.endObject();
  writeVector(json, "eyeOffset", p.eyeOffset);
  json.field("perspective", static_cast<std::int64_t>(p.perspective));
  json.key("scale");
  json.number(p.scale);
  json.field("imageWidth", static_cast<std::int64_t>(p.imageWidth));
  json.field("imageHeight", static_cast<std::int64_t>(p.imageHeight));
  json.endObject();
}

void writeLightKey(const LightKey& key, JsonWriter& json) {
  json.beginObject();
  json.field("frame", static_cast<std::int64_t>(key.frame));
  json.field("type", static_cast<std::int64_t>(key.type));
  json.field("typeName", std::string(lightTypeName(key.type)));
  json.key("color");
  json.beginArray();
  json.integer(key.red);
  json.integer(key.green);
  json.integer(key.blue);
  json.endArray();
  writeVector(json, "position", key.position);
  writeVector(json, "target", key.target);
  json.field("intensity", key.intensity);
  json.field("coneHalfAngle", key.coneHalfAngle);
  json.field("penumbraAngle", key.penumbraAngle);
  json.field("reserved", key.reserved);
  json.endObject();
}

}  // namespace

const char* lightTypeName(int type) {
  switch (type) {
    case LightKey::kDirectional:
      return "directional";
    case LightKey::kPoint:
      return "point";
    case LightKey::kSpot:
      return "spot";
    default:
      return "unknown";
  }
}

std::string lightTypeLabel(int type) {
  const std::string name = lightTypeName(type);
  return name == "unknown" ? "unknown type " + std::to_string(type) : name;
}

bool loadAnimationFile(AnimationFile& file) {
  {
    ifpstream in(file.path.c_str());
    if (in.fail()) {
      file.faults.error(0, "", "cannot open for reading");
      return false;
    }
    AnimationFileChecker checker(in, file.faults);
    if (!checker.check())
      return false;
  }
  ifpstream in(file.path.c_str());
  file.loaded = !in.fail() && file.document.read(in);
  if (!file.loaded && !file.faults.hasErrors())
    file.faults.error(0, "", "the animation reader refuses the file");
  return file.loaded;
}

void writeAnimationSummary(const AnimationFile& file, TextSink& out) {
  const AnimationDocument& doc = file.document;
  out.put("animation file, version " + std::to_string(file.identity.animationVersion));
  if (!file.loaded) {
    out.put(", not readable\n");
    return;
  }
  out.put(", up axis " + upAxisText(file) + ", " + std::to_string(doc.cameras.trackCount()) +
          (doc.cameras.trackCount() == 1 ? " camera, " : " cameras, ") +
          std::to_string(doc.lights.trackCount()) +
          (doc.lights.trackCount() == 1 ? " light\n" : " lights\n"));
  for (int i = 0; i < doc.cameras.trackCount(); ++i) {
    summariseTrack("camera", *doc.cameras.track(i), out);
    out.put('\n');
  }
  for (int i = 0; i < doc.lights.trackCount(); ++i) {
    const VXRAnimation_Light& track = *doc.lights.track(i);
    summariseTrack("light", track, out);
    const std::vector<int> types = lightTypes(track);
    for (std::size_t t = 0; t < types.size(); ++t) {
      out.put(t == 0 ? ", " : " and ");
      out.put(lightTypeLabel(types[t]));
    }
    out.put('\n');
  }
}

void writeAnimationJson(const AnimationFile& file, JsonWriter& json) {
  const AnimationDocument& doc = file.document;
  json.beginObject();
  json.field("file", file.path);
  json.field("kind", std::string("animation"));
  json.booleanField("valid", !file.faults.hasErrors());
  json.unsignedField("size", file.identity.size);
  json.field("version", static_cast<std::int64_t>(file.identity.animationVersion));
  if (file.loaded) {
    json.field("upAxis", upAxisText(file));
    json.key("cameras");
    json.beginArray();
    for (int i = 0; i < doc.cameras.trackCount(); ++i) {
      const VXRAnimation_Camera& track = *doc.cameras.track(i);
      json.beginObject();
      writeTrackHead(track, json);
      json.key("keys");
      json.beginArray();
      for (int k = 0; k < track.keyCount(); ++k)
        writeCameraKey(*track.key(k), json);
      json.endArray();
      json.endObject();
    }
    json.endArray();
    json.key("lights");
    json.beginArray();
    for (int i = 0; i < doc.lights.trackCount(); ++i) {
      const VXRAnimation_Light& track = *doc.lights.track(i);
      json.beginObject();
      writeTrackHead(track, json);
      json.key("types");
      json.beginArray();
      for (int type : lightTypes(track))
        json.string(lightTypeLabel(type));
      json.endArray();
      json.key("keys");
      json.beginArray();
      for (int k = 0; k < track.keyCount(); ++k)
        writeLightKey(*track.key(k), json);
      json.endArray();
      json.endObject();
    }
    json.endArray();
  }
  writeFaultMembers(json, file.faults);
  json.endObject();
}
