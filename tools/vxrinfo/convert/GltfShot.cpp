#include "tools/vxrinfo/convert/GltfShot.h"

#include <cmath>
#include <limits>

#include "anim_model/AnimationDocument.h"
#include "anim_model/KeyValidity.h"
#include "anim_model/LightKey.h"
#include "tools/vxrinfo/files/AnimationFile.h"
#include "tools/vxrinfo/text/Utf8Text.h"

namespace {

constexpr double kMetresPerUnit = 0.01;  // the files hold centimetres
constexpr double kHalfPi = 1.5707963267948966;
// Orthographic cameras need a far plane; the files have none. This far beyond the near plane.
constexpr double kOrthographicDepth = 10000.0;

double dot(const Vector3D& a, const Vector3D& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3D cross(const Vector3D& a, const Vector3D& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool normalise(Vector3D& v) {
  const double length = std::sqrt(dot(v, v));
  if (!(length > 0.0) || !std::isfinite(length))
    return false;
  v = v * (1.0 / length);
  return true;
}

bool fitsFloat(double value) {
  return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

void normaliseQuaternion(double q[4]) {
  const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
  for (int i = 0; i < 4; ++i)
    q[i] /= length;
}

// The quaternion of the rotation whose matrix has the columns x, y, z.
void quaternionFromColumns(const Vector3D& x, const Vector3D& y, const Vector3D& z, double q[4]) {
  const double trace = x.x + y.y + z.z;
  if (trace > 0.0) {
    const double s = 2.0 * std::sqrt(trace + 1.0);
    q[3] = 0.25 * s;
    q[0] = (y.z - z.y) / s;
    q[1] = (z.x - x.z) / s;
    q[2] = (x.y - y.x) / s;
  } else if (x.x > y.y && x.x > z.z) {
    const double s = 2.0 * std::sqrt(1.0 + x.x - y.y - z.z);
    q[3] = (y.z - z.y) / s;
    q[0] = 0.25 * s;
    q[1] = (y.x + x.y) / s;
    q[2] = (z.x + x.z) / s;
  } else if (y.y > z.z) {
    const double s = 2.0 * std::sqrt(1.0 + y.y - x.x - z.z);
    q[3] = (z.x - x.z) / s;
    q[0] = (y.x + x.y) / s;
    q[1] = 0.25 * s;
    q[2] = (z.y + y.z) / s;
  } else {
    const double s = 2.0 * std::sqrt(1.0 + z.z - x.x - y.y);
    q[3] = (x.y - y.x) / s;
    q[0] = (z.x + x.z) / s;
    q[1] = (z.y + y.z) / s;
    q[2] = 0.25 * s;
  }
  normaliseQuaternion(q);
}

std::string trackLabel(const char* what, const std::string& name) {
  return std::string(what) + " " + quoteForDisplay(name);
}

std::string keyLabel(const char* what, const std::string& name, std::int32_t frame) {
  return trackLabel(what, name) + " at frame " + std::to_string(frame);
}

// Builds one track's node: times, places and orientations; the caller adds the object.
class NodeBuilder {
 public:
  NodeBuilder(GltfShot& shot, const GltfOptions& options, const char* what, const std::string& name)
      : shot_(shot), options_(options), what_(what) {
    node_.name = name;
  }

  bool time(std::int32_t frame) {
    const double seconds = (static_cast<double>(frame) - static_cast<double>(options_.startFrame)) /
                           options_.framesPerSecond;
    const float t = static_cast<float>(seconds);
    if (!(seconds >= 0.0)) {
      refuse(frame, "comes before the start frame " + std::to_string(options_.startFrame) +
                        " (glTF time starts at 0; see --start-frame)");
      return false;
    }
    if (!fitsFloat(seconds) || (!node_.times.empty() && !(t > node_.times.back()))) {
      refuse(frame,
             "does not follow the previous key in time (keys must be in increasing "
             "frame order, and distinct at this frame rate)");
      return false;
    }
    node_.times.push_back(t);
    return true;
  }

  bool place(const Vector3D& p, std::int32_t frame) {
    if (!fitsFloat(p.x) || !fitsFloat(p.y) || !fitsFloat(p.z)) {
      refuse(frame, "lies too far out for glTF's single precision");
      return false;
    }
    pushChanged(node_.translations, {p.x, p.y, p.z});
    return true;
  }

  void orientation(double q[4]) {
    // Neighbouring keys take the same sign, so interpolation takes the short way round.
    const std::size_t n = node_.rotations.size();
    if (n >= 4) {
      const float* last = &node_.rotations[n - 4];
      if (q[0] * last[0] + q[1] * last[1] + q[2] * last[2] + q[3] * last[3] < 0.0)
        for (int i = 0; i < 4; ++i)
          q[i] = -q[i];
    }
    pushChanged(node_.rotations, {q[0], q[1], q[2], q[3]});
  }

  void refuse(std::int32_t frame, const std::string& why) {
    shot_.refusals.push_back(keyLabel(what_, node_.name, frame) + ": " + why);
  }

  GltfNode& node() { return node_; }

 private:
  void pushChanged(std::vector<float>& values, std::initializer_list<double> key) {
    const std::size_t width = key.size();
    for (const double v : key) {
      const float f = static_cast<float>(v);
      if (values.size() >= width && values[values.size() - width] != f)
        node_.moves = true;
      values.push_back(f);
    }
  }

  GltfShot& shot_;
  const GltfOptions& options_;
  const char* what_;
  GltfNode node_;
};

bool addValue(std::vector<GltfKeyedValue>& values, std::size_t at, const char* path,
              std::initializer_list<double> key) {
  if (values.size() <= at) {
    values.resize(at + 1);
    values[at].path = path;
    values[at].width = static_cast<int>(key.size());
  }
  for (const double v : key) {
    if (!fitsFloat(v))
      return false;
    values[at].keys.push_back(static_cast<float>(v));
  }
  return true;
}

// The key's eye and orientation on the node; false (refused) when glTF cannot hold them.
bool placeCamera(const ProjectorInfo& p, std::int32_t frame, bool zUp, NodeBuilder& builder) {
  const double d = p.eyeOffset.z;
  const Vector3D eye = gltfPoint(p.plane.origin - p.plane.direction * d, zUp);
  if (!builder.time(frame) || !builder.place(eye, frame))
    return false;
  double q[4];
  if (!cameraRotation(gltfDirection(p.plane.direction, zUp), gltfDirection(p.plane.up, zUp), q)) {
    builder.refuse(frame, "has view and up directions that give no orientation");
    return false;
  }
  builder.orientation(q);
  return true;
}

// The key's projection as the camera's values; false when single precision cannot hold them
// above 0, as glTF requires.
bool addProjection(const ProjectorInfo& p, GltfCamera& camera) {
  const double d = p.eyeOffset.z;
  const double w = p.window.size.x;
  const double h = p.window.size.y;
  const double zNear = d * kMetresPerUnit;
  const bool fits =
      camera.perspective
          ? addValue(camera.values, 0, "perspective/yfov", {2.0 * std::atan(0.5 * h / d)}) &&
                addValue(camera.values, 1, "perspective/aspectRatio", {w / h}) &&
                addValue(camera.values, 2, "perspective/znear", {zNear})
          : addValue(camera.values, 0, "orthographic/xmag", {0.5 * w * kMetresPerUnit}) &&
                addValue(camera.values, 1, "orthographic/ymag", {0.5 * h * kMetresPerUnit}) &&
                addValue(camera.values, 2, "orthographic/znear", {zNear});
  bool positive = fits;
  for (const GltfKeyedValue& value : camera.values)
    positive = positive && value.keys.back() > 0.0f;
  camera.zfar = std::max(camera.zfar, static_cast<float>(zNear + kOrthographicDepth));
  // The far plane must lie beyond the near one also after rounding.
  return positive && (camera.perspective || camera.zfar > static_cast<float>(zNear));
}

bool isOffCentre(const ProjectorInfo& p) {
  const double w = p.window.size.x;
  const double h = p.window.size.y;
  return std::fabs(p.window.origin.x + 0.5 * w) > 1e-6 * w ||
         std::fabs(p.window.origin.y + 0.5 * h) > 1e-6 * h;
}

void addCameraTrack(const VXRAnimation_Camera& track, bool zUp, const GltfOptions& options,
                    GltfShot& shot) {
  const std::string name(track.name.data(), track.name.length());
  NodeBuilder builder(shot, options, "camera", name);
  GltfCamera camera;
  camera.name = name;
  bool offCentre = false;
  for (int k = 0; k < track.keyCount(); ++k) {
    const CameraKey& key = *track.key(k);
    const ProjectorInfo& p = key.projector;
    if (const char* fault = cameraKeyFault(key)) {
      builder.refuse(key.frame, std::string("the key ") + fault);
      return;
    }
    if (k == 0) {
      camera.perspective = p.perspective != 0;
    } else if ((p.perspective != 0) != camera.perspective) {
      builder.refuse(key.frame,
                     "switches between perspective and orthographic, which a glTF camera "
                     "cannot");
      return;
    }
    if (!placeCamera(p, key.frame, zUp, builder))
      return;
    if (!addProjection(p, camera)) {
      builder.refuse(key.frame,
                     "has a window or near distance that glTF's single precision cannot hold");
      return;
    }
    offCentre = offCentre || isOffCentre(p);
  }
  if (offCentre)
    shot.notes.push_back(trackLabel("camera", name) +
                         ": the window is off centre (film offset); glTF cameras look through "
                         "the centre, so the view is shifted");
  GltfNode& node = builder.node();
  if (!camera.values.empty()) {
    node.camera = static_cast<int>(shot.cameras.size());
    shot.cameras.push_back(std::move(camera));
  }
  shot.nodes.push_back(std::move(node));
}

const char* lightTypeText(std::uint8_t type) {
  return lightTypeName(type);
}

bool addLightKey(const LightKey& key, bool zUp, NodeBuilder& builder, GltfLight& light) {
  if (const char* fault = lightKeyFault(key)) {
    builder.refuse(key.frame, std::string("the key ") + fault);
    return false;
  }
  if (!builder.time(key.frame))
    return false;
  double q[4];
  if (key.type == LightKey::kDirectional) {
    // Stored: the direction toward the light; glTF's light shines along the node's -z.
    if (!aimRotation(-gltfDirection(key.position, zUp), q)) {
      builder.refuse(key.frame, "has no direction (a zero vector)");
      return false;
    }
    builder.orientation(q);
  } else {
    if (!builder.place(gltfPoint(key.position, zUp), key.frame))
      return false;
    if (key.type == LightKey::kSpot) {
      if (!aimRotation(gltfDirection(key.target - key.position, zUp), q)) {
        builder.refuse(key.frame, "has its target on its position, so no beam direction");
        return false;
      }
      builder.orientation(q);
    }
  }
  if (key.intensity < 0.0) {
    builder.refuse(key.frame, "has a negative intensity, which glTF lights cannot have");
    return false;
  }
  addValue(light.values, 0, "color", {key.red / 255.0, key.green / 255.0, key.blue / 255.0});
  addValue(light.values, 1, "intensity", {key.intensity});
  if (key.type != LightKey::kSpot)
    return true;
  double inner = 0.0;
  double outer = 0.0;
  spotCone(key.coneHalfAngle, key.penumbraAngle, inner, outer);
  if (!(static_cast<float>(outer) > 0.0f) || outer > kHalfPi) {
    builder.refuse(key.frame, "has a cone of " + std::to_string(outer * 2.0 * 90.0 / kHalfPi) +
                                  " degrees with its penumbra; glTF spot lights reach at most "
                                  "180 degrees and more than 0");
    return false;
  }
  addValue(light.values, 2, "spot/innerConeAngle", {inner});
  addValue(light.values, 3, "spot/outerConeAngle", {outer});
  return true;
}

void addLightTrack(const VXRAnimation_Light& track, bool zUp, const GltfOptions& options,
                   GltfShot& shot) {
  const std::string name(track.name.data(), track.name.length());
  NodeBuilder builder(shot, options, "light", name);
  GltfLight light;
  light.name = name;
  for (int k = 0; k < track.keyCount(); ++k) {
    const LightKey& key = *track.key(k);
    const std::string type = lightTypeText(key.type);
    if (type == "unknown") {
      builder.refuse(key.frame, "has the unknown light type " + std::to_string(key.type));
      return;
    }
    if (k == 0) {
      light.type = type;
    } else if (type != light.type) {
      builder.refuse(key.frame, "changes its type, which a glTF light cannot");
      return;
    }
    if (!addLightKey(key, zUp, builder, light))
      return;
  }
  GltfNode& node = builder.node();
  if (!light.values.empty()) {
    node.light = static_cast<int>(shot.lights.size());
    shot.lights.push_back(std::move(light));
  }
  shot.nodes.push_back(std::move(node));
}

}  // namespace

bool GltfKeyedValue::varies() const {
  for (std::size_t i = static_cast<std::size_t>(width); i < keys.size(); ++i)
    if (keys[i] != keys[i % static_cast<std::size_t>(width)])
      return true;
  return false;
}

Vector3D gltfDirection(const Vector3D& v, bool fileIsZUp) {
  return fileIsZUp ? Vector3D(v.x, v.z, -v.y) : v;
}

Vector3D gltfPoint(const Vector3D& v, bool fileIsZUp) {
  return gltfDirection(v, fileIsZUp) * kMetresPerUnit;
}

bool cameraRotation(const Vector3D& view, const Vector3D& up, double q[4]) {
  Vector3D back = -view;
  Vector3D right = cross(view, up);
  if (!normalise(back) || !normalise(right))
    return false;
  const Vector3D trueUp = cross(back, right);
  quaternionFromColumns(right, trueUp, back, q);
  return true;
}

bool aimRotation(const Vector3D& direction, double q[4]) {
  Vector3D d = direction;
  if (!normalise(d))
    return false;
  const Vector3D forward(0.0, 0.0, -1.0);
  const double c = dot(forward, d);
  if (c < -1.0 + 1e-12) {  // straight along +z: half a turn about x
    q[0] = 1.0;
    q[1] = q[2] = q[3] = 0.0;
    return true;
  }
  const Vector3D axis = cross(forward, d);
  q[0] = axis.x;
  q[1] = axis.y;
  q[2] = axis.z;
  q[3] = 1.0 + c;
  normaliseQuaternion(q);
  return true;
}

void spotCone(double coneHalfAngle, double penumbraAngle, double& inner, double& outer) {
  inner = coneHalfAngle + std::min(penumbraAngle, 0.0);
  outer = coneHalfAngle + std::max(penumbraAngle, 0.0);
  inner = std::max(inner, 0.0);
  // The values are written in single precision: keep them in range after rounding.
  if (outer > 0.0 && outer <= kHalfPi && static_cast<float>(outer) > kHalfPi)
    outer = std::nextafter(static_cast<float>(kHalfPi), 0.0f);
  if (!(static_cast<float>(inner) < static_cast<float>(outer)))
    inner = std::nextafter(static_cast<float>(outer), 0.0f);
}

GltfShot buildGltfShot(const AnimationDocument& document, const GltfOptions& options) {
  GltfShot shot;
  for (int i = 0; i < document.cameras.trackCount(); ++i)
    addCameraTrack(*document.cameras.track(i), document.upAxisIsZ, options, shot);
  for (int i = 0; i < document.lights.trackCount(); ++i)
    addLightTrack(*document.lights.track(i), document.upAxisIsZ, options, shot);
  return shot;
}
