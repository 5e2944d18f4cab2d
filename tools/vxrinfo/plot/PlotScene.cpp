#include "tools/vxrinfo/plot/PlotScene.h"

#include <algorithm>
#include <cmath>

#include "anim_model/AnimationDocument.h"
#include "anim_model/LightKey.h"

namespace {

bool finite(const Vector3D& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool finite(double v) {
  return std::isfinite(v);
}

bool inRange(std::int32_t frame, const AnimationPlotOptions& options) {
  return !options.frameRange || (frame >= options.firstFrame && frame <= options.lastFrame);
}

// Captures of a still object repeat the same values; a tolerance keeps rounding noise of an
// export from counting as motion.
bool same(double a, double b) {
  return std::fabs(a - b) <= 1e-9 * (1.0 + std::max(std::fabs(a), std::fabs(b)));
}
bool same(const Vector3D& a, const Vector3D& b) {
  return same(a.x, b.x) && same(a.y, b.y) && same(a.z, b.z);
}

bool sameView(const PlotCameraKey& a, const PlotCameraKey& b) {
  return same(a.eye, b.eye) && same(a.direction, b.direction) && same(a.up, b.up) &&
         same(a.windowLeft, b.windowLeft) && same(a.windowBottom, b.windowBottom) &&
         same(a.windowWidth, b.windowWidth) && same(a.windowHeight, b.windowHeight);
}

PlotCamera camera(const VXRAnimation_Camera& track, const AnimationPlotOptions& options) {
  PlotCamera out;
  out.name.assign(track.name.data(), track.name.length());
  out.fileKeyCount = track.keyCount();
  for (int k = 0; k < track.keyCount(); ++k) {
    const CameraKey& key = *track.key(k);
    if (!inRange(key.frame, options))
      continue;
    const ProjectorInfo& p = key.projector;
    PlotCameraKey plot;
    plot.frame = key.frame;
    plot.nearDistance = p.eyeOffset.z;
    plot.eye = p.plane.origin - p.plane.direction * plot.nearDistance;
    plot.direction = p.plane.direction;
    plot.up = p.plane.up;
    plot.windowLeft = p.window.origin.x;
    plot.windowBottom = p.window.origin.y;
    plot.windowWidth = p.window.size.x;
    plot.windowHeight = p.window.size.y;
    plot.perspective = p.perspective != 0;
    if (!finite(plot.eye) || !finite(plot.direction) || !finite(plot.up) ||
        !finite(plot.windowLeft) || !finite(plot.windowBottom) || !finite(plot.windowWidth) ||
        !finite(plot.windowHeight))
      continue;
    out.keys.push_back(plot);
  }
  for (const PlotCameraKey& key : out.keys)
    out.moves = out.moves || !sameView(key, out.keys.front());
  return out;
}

PlotLight light(const VXRAnimation_Light& track, const AnimationPlotOptions& options) {
  PlotLight out;
  out.name.assign(track.name.data(), track.name.length());
  out.fileKeyCount = track.keyCount();
  if (track.keyCount() > 0)
    out.type = track.key(0)->type;
  for (int k = 0; k < track.keyCount(); ++k) {
    const LightKey& key = *track.key(k);
    if (!inRange(key.frame, options) || !finite(key.position))
      continue;
    PlotLightKey plot;
    plot.frame = key.frame;
    plot.position = key.position;
    plot.target = finite(key.target) ? key.target : key.position;
    out.keys.push_back(plot);
  }
  for (const PlotLightKey& key : out.keys) {
    out.moves = out.moves || !same(key.position, out.keys.front().position) ||
                (out.type == LightKey::kSpot && !same(key.target, out.keys.front().target));
  }
  return out;
}

// The places of the moving tracks, or of all of them when `everything`.
PlotBox placesOf(const PlotScene& scene, bool everything) {
  PlotBox box;
  for (const PlotCamera& c : scene.cameras) {
    if (everything || c.moves) {
      for (const PlotCameraKey& key : c.keys)
        box.include(key.eye);
    }
  }
  for (const PlotLight& l : scene.lights) {
    if (l.type == LightKey::kDirectional || !(everything || l.moves))
      continue;
    for (const PlotLightKey& key : l.keys)
      box.include(key.position);
  }
  return box;
}

}  // namespace

void PlotBox::include(const Vector3D& v) {
  if (empty) {
    min = max = v;
    empty = false;
    return;
  }
  min = Vector3D(std::min(min.x, v.x), std::min(min.y, v.y), std::min(min.z, v.z));
  max = Vector3D(std::max(max.x, v.x), std::max(max.y, v.y), std::max(max.z, v.z));
}

PlotScene buildPlotScene(const AnimationDocument& document, const AnimationPlotOptions& options) {
  PlotScene scene;
  scene.upAxisIsZ = document.upAxisIsZ;
  for (int i = 0; i < document.cameras.trackCount(); ++i)
    scene.cameras.push_back(camera(*document.cameras.track(i), options));
  for (int i = 0; i < document.lights.trackCount(); ++i)
    scene.lights.push_back(light(*document.lights.track(i), options));
  scene.framedOnAll = options.allTracks;
  scene.framed = placesOf(scene, options.allTracks);
  if (scene.framed.empty && !options.allTracks) {
    // Nothing moves: a still scene is framed on everything in it.
    scene.framedOnAll = true;
    scene.framed = placesOf(scene, true);
  }
  return scene;
}

std::string shortTrackName(const std::string& name) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  while (from <= name.size()) {
    const std::size_t bar = std::min(name.find('|', from), name.size());
    if (bar > from)
      parts.push_back(name.substr(from, bar - from));
    from = bar + 1;
  }
  if (parts.empty())
    return name;
  return parts.size() >= 2 ? parts[parts.size() - 2] : parts.back();
}

bool frustumOf(const PlotCameraKey& key, double length, PlotFrustum& frustum) {
  const Vector3D direction = key.direction.normalised();
  const Vector3D right = (direction * key.up).normalised();
  const Vector3D up = (right * direction).normalised();
  if (right.length() < 0.5 || up.length() < 0.5 || !(length > 0.0))
    return false;
  if (key.perspective && !(key.nearDistance > 0.0))
    return false;
  const Vector3D centre = key.eye + direction * key.nearDistance;
  const double xs[4] = {key.windowLeft, key.windowLeft + key.windowWidth,
                        key.windowLeft + key.windowWidth, key.windowLeft};
  const double ys[4] = {key.windowBottom, key.windowBottom, key.windowBottom + key.windowHeight,
                        key.windowBottom + key.windowHeight};
  frustum.fromEye = key.perspective;
  for (int i = 0; i < 4; ++i) {
    const Vector3D corner = centre + right * xs[i] + up * ys[i];
    if (key.perspective) {
      frustum.near[i] = key.eye;
      frustum.far[i] = key.eye + (corner - key.eye) * (length / key.nearDistance);
    } else {
      frustum.near[i] = corner;
      frustum.far[i] = corner + direction * length;
    }
  }
  return true;
}

double niceStep(double least) {
  if (!(least > 0.0) || !std::isfinite(least))
    return 1.0;
  const double power = std::pow(10.0, std::floor(std::log10(least)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (m * power >= least * (1 - 1e-9))
      return m * power;
  }
  return 10.0 * power;
}

std::vector<std::size_t> frameNumberKeys(const PlotCamera& camera, int intervals) {
  std::vector<std::size_t> numbered;
  if (camera.keys.empty())
    return numbered;
  const double first = camera.keys.front().frame;
  const double last = camera.keys.back().frame;
  const double step = std::max(1.0, niceStep((last - first) / std::max(1, intervals)));
  numbered.push_back(0);
  for (std::size_t k = 1; k + 1 < camera.keys.size(); ++k) {
    const double f = camera.keys[k].frame;
    if (std::fmod(f, step) == 0.0 && f - first >= step / 2 && last - f >= step / 2)
      numbered.push_back(k);
  }
  if (camera.keys.size() > 1)
    numbered.push_back(camera.keys.size() - 1);
  return numbered;
}

std::vector<std::size_t> pyramidKeys(std::size_t keyCount, const std::vector<std::size_t>& numbered,
                                     std::size_t longPath) {
  std::vector<std::size_t> keys;
  if (numbered.empty())
    return keys;
  keys.push_back(numbered.front());
  if (keyCount >= longPath && numbered.size() > 2) {
    // numbered[1] to numbered[inner] lie between the ends.
    const std::size_t inner = numbered.size() - 2;
    const std::size_t wanted = std::min<std::size_t>(3, inner);
    for (std::size_t n = 1; n <= wanted; ++n)
      keys.push_back(numbered[(n * (inner + 1)) / (wanted + 1)]);
  }
  if (numbered.back() != numbered.front())
    keys.push_back(numbered.back());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}
