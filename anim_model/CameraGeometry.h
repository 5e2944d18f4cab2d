#pragma once

#include <cstdint>

#include "anim_model/CameraKey.h"
#include "boundary/base/GString.h"
#include "boundary/math/Matrix3D.h"
#include "boundary/math/Vector2D.h"
#include "boundary/math/Vector3D.h"

// The arithmetic between a host camera and a camera key, over plain values: the film-back
// window a capture stores and the camera an import sets up from a key. The host adapters copy
// the camera's values in and out; nothing here calls the host.

// How the film back is fitted to the image, as the host's film fit setting names it. `kNone`
// stands for any other setting: the film back is used as it is.
enum class FilmFit { kFill, kHorizontal, kVertical, kOverscan, kNone };

// The camera settings a capture reads. Lengths are in centimetres: the host's film-back values
// come in inches and its focal length in millimetres, and the adapter converts them first.
// The film fit offset is a fraction and stays as the host gives it.
struct CameraLens {
  double aspectRatio = 0.0;  // film back width / height
  double horizontalFilmAperture = 0.0;
  double verticalFilmAperture = 0.0;
  double horizontalFilmOffset = 0.0;
  double verticalFilmOffset = 0.0;
  double focalLength = 0.0;
  double nearClippingPlane = 0.0;
  double cameraScale = 1.0;
  FilmFit filmFit = FilmFit::kFill;
  double filmFitOffset = 0.0;
  bool isOrtho = false;
};

// A camera at one moment: its lens and, in world space, the eye point and the view and up
// directions, both already normalised.
struct CameraSample {
  CameraLens lens;
  Vector3D eye;
  Vector3D view{0.0, 0.0, -1.0};
  Vector3D up{0.0, 1.0, 0.0};
};

// The output image size in pixels.
struct ImageSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// The four edges of the film back on the near plane, in centimetres.
struct FilmBack {
  double left = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  double top = 0.0;
};

// The window that the camera's film back cuts out of its near plane, fitted to the image aspect
// ratio `imageAspect` (width / height) by the camera's film fit.
FilmBack computeFilmBack(double imageAspect, const CameraLens& lens);

struct FilmWindow {
  double nearDistance = 0.0;
  Vector2D origin;  // left, bottom
  Vector2D size;    // width, height
};
FilmWindow computeFilmWindow(const CameraLens& lens, const ImageSize& image);

// Why a camera cannot be captured without writing non-finite numbers, naming the setting that
// makes the window undefined ("its focal length is 0"), or empty when it can be captured.
GString uncapturableCameraSetting(const CameraSample& camera, const ImageSize& image);

// Fills `key` for the camera: a viewing plane at the near distance in front of the eye, the
// film-back window on it and the image size.
void fillCameraKey(CameraKey& key, const CameraSample& camera, std::int32_t frame,
                   const ImageSize& image);

// What applying a camera key sets on a host camera: the matrix of the transform above it, and
// its lens with lengths in centimetres (the adapter converts the focal length to millimetres and
// the apertures to inches). The film back sits at `kImportedFocalDistance` with the window
// scaled by the same factor, which keeps the field of view of the stored window.
struct AppliedCamera {
  Matrix3D transform;
  double nearClippingPlane = 0.0;
  double focalLength = 0.0;
  double horizontalFilmAperture = 0.0;
  double verticalFilmAperture = 0.0;
  bool isOrtho = false;
};

// For keys that `cameraKeyFault` passes: only those give finite values.
AppliedCamera appliedCamera(const CameraKey& key);
