#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "boundary/math/Vector3D.h"

class AnimationDocument;
struct CameraKey;
struct LightKey;

// The cameras and lights of an animation file as glTF holds them: y-up, metres, a node per
// track whose translation and rotation follow the keys, a camera or light object per track and
// the object's own values (field of view, colour, cone) per key. Pure arithmetic on the loaded
// document; GltfWriter turns it into JSON and binary data.

struct GltfOptions {
  double framesPerSecond = 24.0;
  // The frame shown at time 0: a key's time is (frame - startFrame) / framesPerSecond.
  std::int32_t startFrame = 0;
};

// One value of a camera or light, per key: `width` floats a key. `path` is the member below the
// object ("perspective/yfov", "spot/outerConeAngle"), used both for the static value and for
// the animation pointer when the value changes over the keys.
struct GltfKeyedValue {
  std::string path;
  int width = 1;
  std::vector<float> keys;
  bool varies() const;
};

struct GltfCamera {
  std::string name;
  bool perspective = true;
  std::vector<GltfKeyedValue> values;  // perspective: yfov, aspectRatio, znear; else xmag, ymag,
                                       // znear
  float zfar = 0.0f;                   // orthographic only
};

struct GltfLight {
  std::string name;
  std::string type;                    // "directional", "point", "spot"
  std::vector<GltfKeyedValue> values;  // color, intensity, spot inner and outer cone
};

struct GltfNode {
  std::string name;
  int camera = -1;
  int light = -1;
  bool moves = false;  // place or orientation differs between keys
  std::vector<float> times;
  std::vector<float> translations;  // 3 a key; empty for a directional light
  std::vector<float> rotations;     // 4 a key (x, y, z, w)
};

struct GltfShot {
  std::vector<GltfNode> nodes;
  std::vector<GltfCamera> cameras;
  std::vector<GltfLight> lights;
  // Why the file cannot be written as glTF, one sentence each; nothing is written when any.
  std::vector<std::string> refusals;
  // What glTF keeps only approximately (an off-centre window), one sentence each.
  std::vector<std::string> notes;
};

// The document in its own axes; z-up files are turned to y-up here.
GltfShot buildGltfShot(const AnimationDocument& document, const GltfOptions& options);

// The pieces, for the tests.
// A point or direction of the file in glTF's axes (y-up); points also in metres.
Vector3D gltfDirection(const Vector3D& v, bool fileIsZUp);
Vector3D gltfPoint(const Vector3D& v, bool fileIsZUp);
// The rotation (x, y, z, w) that turns a camera's local -z onto `view` and +y toward `up`;
// false when the two give no frame.
bool cameraRotation(const Vector3D& view, const Vector3D& up, double q[4]);
// The rotation that turns local -z onto `direction` by the shortest arc; false for a zero
// direction.
bool aimRotation(const Vector3D& direction, double q[4]);
// Inner and outer cone angles of a spot light from the file's half angle and penumbra: the
// penumbra widens the cone when positive and narrows it when negative, as in the host. The
// inner angle is kept just below the outer, which glTF requires.
void spotCone(double coneHalfAngle, double penumbraAngle, double& inner, double& outer);
