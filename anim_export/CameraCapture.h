#pragma once

#include <maya/MFnCamera.h>

#include "anim_export/RenderSettings.h"
#include "anim_model/VXRAnimation_Camera.h"
#include "boundary/base/GString.h"
#include "boundary/math/Vector2D.h"

// The four edges of the film back on the near plane, in centimetres.
struct FilmBack {
  double left = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  double top = 0.0;
};

// The window that the camera's film back cuts out of its near plane, fitted to the image aspect
// ratio `imageAspect` (width / height) by the camera's film fit.
FilmBack computeFilmBack(double imageAspect, const MFnCamera& camera);

struct FilmWindow {
  double nearDistance = 0.0;
  Vector2D origin;  // left, bottom
  Vector2D size;    // width, height
};
FilmWindow computeFilmWindow(const MFnCamera& camera, const RenderSettings& settings);

// Why a camera cannot be captured without writing non-finite numbers, naming the setting that
// makes the window undefined ("its focal length is 0"), or empty when it can be captured.
GString uncapturableCameraSetting(const MFnCamera& camera, const RenderSettings& settings);

// Fills `key` for the camera at the host's current time: a viewing plane at the near distance in
// front of the eye, the film-back window on it and the image size.
void fillCameraKey(CameraKey& key, const MFnCamera& camera, std::int32_t frame,
                   const RenderSettings& settings);

// Appends one key for the camera at the host's current time: a viewing plane at the near
// distance in front of the eye, the film-back window on it and the image size.
// False, with nothing appended, when memory ran out.
bool captureCamera(VXRAnimation_Camera& track, const MFnCamera& camera, std::int32_t frame,
                   const RenderSettings& settings);
