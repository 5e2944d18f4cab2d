#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "boundary/math/Vector3D.h"

class AnimationDocument;

// What the plot is asked to show.
struct AnimationPlotOptions {
  // Frame the view on every track, not only on those that move.
  bool allTracks = false;
  // Only keys from `firstFrame` to `lastFrame` (both included) when `frameRange` is set.
  bool frameRange = false;
  std::int32_t firstFrame = 0;
  std::int32_t lastFrame = 0;
};

// One camera key as the plot needs it: the eye, the view axes and the window on the near
// plane, in the file's axes.
struct PlotCameraKey {
  std::int32_t frame = 0;
  Vector3D eye;
  Vector3D direction;
  Vector3D up;
  double windowLeft = 0.0;
  double windowBottom = 0.0;
  double windowWidth = 0.0;
  double windowHeight = 0.0;
  double nearDistance = 0.0;  // the eye's distance from the plane the window lies on
  bool perspective = true;
};

struct PlotLightKey {
  std::int32_t frame = 0;
  Vector3D position;  // a directional light: the direction toward the light
  Vector3D target;
};

struct PlotCamera {
  std::string name;
  int fileKeyCount = 0;             // all keys of the track, also those outside the frame range
  std::vector<PlotCameraKey> keys;  // finite keys within the frame range, in file order
  bool moves = false;               // some key differs from the first
};

struct PlotLight {
  std::string name;
  int fileKeyCount = 0;
  int type = 0;  // the first key's light type; 0 for a track without keys
  std::vector<PlotLightKey> keys;
  bool moves = false;
};

// An axis-aligned box in the file's axes.
struct PlotBox {
  Vector3D min;
  Vector3D max;
  bool empty = true;
  void include(const Vector3D& v);
};

// The tracks to draw and the region the view is framed on.
struct PlotScene {
  bool upAxisIsZ = false;
  std::vector<PlotCamera> cameras;
  std::vector<PlotLight> lights;
  // The eyes of the moving cameras and the places of the moving point and spot lights (or of
  // every track, when asked or when nothing moves). Empty when there is no place to show.
  PlotBox framed;
  bool framedOnAll = false;  // `framed` holds the tracks that do not move as well
};

// Takes the keys of `document` (in its own axes) that the options select; keys with values
// that are not finite are left out.
PlotScene buildPlotScene(const AnimationDocument& document, const AnimationPlotOptions& options);

// The name a picture shows for a track: the transform's name for a shape path such as
// "|dollyCam|dollyCamShape" ("dollyCam"), otherwise the last part of the path.
std::string shortTrackName(const std::string& name);

// The view pyramid of a key drawn `length` scene units deep: for a perspective key the eye
// and the four window corners pushed out to `length` from the eye; for an orthographic key the
// window's corners on the near plane and `length` further along the view. Corners go left
// bottom, right bottom, right top, left top. False when the key's axes give no frame (a zero
// or parallel direction and up, a near distance that is not positive for a perspective key).
struct PlotFrustum {
  Vector3D near[4];
  Vector3D far[4];
  bool fromEye = true;  // perspective: `near` all hold the eye
};
bool frustumOf(const PlotCameraKey& key, double length, PlotFrustum& frustum);

// 1, 2 or 5 times a power of ten: the first at least `least` (1 for a `least` that is not
// positive and finite).
double niceStep(double least);

// The keys of a camera (indices into `keys`) that carry a frame number: the first, the last,
// and between them those whose frame is a multiple of a round step that gives about
// `intervals` intervals, leaving out any within half a step of either end.
std::vector<std::size_t> frameNumberKeys(const PlotCamera& camera, int intervals);

// The keys that show their view pyramid: the first and last of `numbered`, and, on a path of
// at least `longPath` keys, up to three of the numbered keys between, spread evenly.
std::vector<std::size_t> pyramidKeys(std::size_t keyCount, const std::vector<std::size_t>& numbered,
                                     std::size_t longPath);
