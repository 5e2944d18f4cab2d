#pragma once

#include <maya/MFnCamera.h>

#include <cstdint>

#include "anim_export/RenderSettings.h"
#include "anim_model/VXRAnimation_Camera.h"
#include "boundary/base/GString.h"

// The capture of a host camera into a key, at the host's current time. The arithmetic is in
// anim_model/CameraGeometry.h; these copy the camera's values into it.

// Why the camera cannot be captured without writing non-finite numbers, naming the setting that
// makes the window undefined ("its focal length is 0"), or empty when it can be captured.
GString uncapturableCameraSetting(const MFnCamera& camera, const RenderSettings& settings);

// Appends one key for the camera at the host's current time: a viewing plane at the near
// distance in front of the eye, the film-back window on it and the image size.
// False, with nothing appended, when memory ran out.
bool captureCamera(VXRAnimation_Camera& track, const MFnCamera& camera, std::int32_t frame,
                   const RenderSettings& settings);
