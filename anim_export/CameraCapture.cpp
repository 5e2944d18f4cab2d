#include "anim_export/CameraCapture.h"

#include <maya/MDistance.h>
#include <maya/MPoint.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#include <cmath>
#include <new>

#include "anim_model/KeyValidity.h"
#include "shell/DistanceConversion.h"

namespace {

Vector3D toVector3D(const MVector& v) {
  return Vector3D(v.x, v.y, v.z);
}

double inchesToCentimetres(double inches) {
  return convertDistance(inches, MDistance::kInches, MDistance::kCentimeters);
}

}  // namespace

FilmBack computeFilmBack(double imageAspect, const MFnCamera& camera) {
  const double cameraAspect = camera.aspectRatio();
  const double hAp = inchesToCentimetres(camera.horizontalFilmAperture());
  const double vAp = inchesToCentimetres(camera.verticalFilmAperture());
  const double hOff = inchesToCentimetres(camera.horizontalFilmOffset());
  const double vOff = inchesToCentimetres(camera.verticalFilmOffset());
  const double focal =
      convertDistance(camera.focalLength(), MDistance::kMillimeters, MDistance::kCentimeters);
  const double nearDistance = camera.nearClippingPlane();
  const double cameraScale = camera.cameraScale();
  const MFnCamera::FilmFit fit = camera.filmFit();

  const double s = cameraScale * (nearDistance / focal);
  double kx = 1.0, ky = 1.0, offX = 0.0, offY = 0.0;
  switch (fit) {
    case MFnCamera::kFillFilmFit:
      if (imageAspect < cameraAspect)
        kx = imageAspect / cameraAspect;
      else
        ky = cameraAspect / imageAspect;
      break;
    case MFnCamera::kHorizontalFilmFit:
      ky = cameraAspect / imageAspect;
      if (ky > 1.0)
        offY = camera.filmFitOffset() * (vAp - ky * vAp) * 0.5;
      break;
    case MFnCamera::kVerticalFilmFit:
      kx = imageAspect / cameraAspect;
      if (kx > 1.0)
        offX = camera.filmFitOffset() * (hAp - kx * hAp) * 0.5;
      break;
    case MFnCamera::kOverscanFilmFit:
      if (imageAspect >= cameraAspect)
        kx = imageAspect / cameraAspect;
      else
        ky = cameraAspect / imageAspect;
      break;
    default:
      break;
  }

  const double halfW = kx * hAp * 0.5;
  const double halfH = ky * vAp * 0.5;
  FilmBack back;
  back.left = (offX - halfW + hOff) * s;
  back.right = (offX + halfW + hOff) * s;
  back.bottom = (offY - halfH + vOff) * s;
  back.top = (offY + halfH + vOff) * s;
  return back;
}

FilmWindow computeFilmWindow(const MFnCamera& camera, const RenderSettings& settings) {
  const double imageAspect =
      static_cast<double>(settings.width) / static_cast<double>(settings.height);
  const FilmBack back = computeFilmBack(imageAspect, camera);
  FilmWindow window;
  window.nearDistance = camera.nearClippingPlane();
  window.origin = Vector2D(back.left, back.bottom);
  window.size = Vector2D(back.right - back.left, back.top - back.bottom);
  return window;
}

GString uncapturableCameraSetting(const MFnCamera& camera, const RenderSettings& settings) {
  if (settings.height == 0)
    return "the image height in Render Globals is 0";
  if (camera.focalLength() == 0.0)
    return "its focal length is 0";
  if (camera.aspectRatio() == 0.0)
    return "its camera aspect ratio is 0";
  const FilmWindow window = computeFilmWindow(camera, settings);
  if (!std::isfinite(window.nearDistance) || !std::isfinite(window.origin.x) ||
      !std::isfinite(window.origin.y) || !std::isfinite(window.size.x) ||
      !std::isfinite(window.size.y))
    return "its film back gives a window that is not finite";
  if (!(window.nearDistance > 0.0))
    return "its near clipping plane is not above 0";
  // Whatever the import would refuse is refused here, so a written file always imports.
  CameraKey key;
  fillCameraKey(key, camera, 0, settings);
  if (const char* fault = cameraKeyFault(key)) {
    GString reason("its key ");
    reason += fault;
    return reason;
  }
  return GString();
}

void fillCameraKey(CameraKey& key, const MFnCamera& camera, std::int32_t frame,
                   const RenderSettings& settings) {
  key.frame = frame;

  const MPoint eye = camera.eyePoint(MSpace::kWorld);
  MVector view = camera.viewDirection(MSpace::kWorld);
  MVector up = camera.upDirection(MSpace::kWorld);
  view.normalize();
  up.normalize();

  const FilmWindow window = computeFilmWindow(camera, settings);
  const MPoint planePoint = eye + window.nearDistance * view;

  const GViewportPlaneInfo plane(Vector3D(planePoint.x, planePoint.y, planePoint.z),
                                 toVector3D(view), toVector3D(up));
  const GViewportWindowInfo windowInfo(window.origin, window.size);
  GViewportInfo viewport(plane, windowInfo, 0, 1.0f);
  viewport.perspective = camera.isOrtho() ? 0 : 1;
  key.projector = viewport;
  key.projector.eyeOffset = Vector3D(0.0, 0.0, std::fabs(window.nearDistance));
  key.projector.imageWidth = settings.width;
  key.projector.imageHeight = settings.height;
}

bool captureCamera(VXRAnimation_Camera& track, const MFnCamera& camera, std::int32_t frame,
                   const RenderSettings& settings) {
  CameraKey* key = new (std::nothrow) CameraKey();
  if (key == nullptr)
    return false;
  fillCameraKey(*key, camera, frame, settings);
  if (track.v_insert(key) < 0) {
    delete key;
    return false;
  }
  return true;
}
