#include "anim_model/CameraGeometry.h"

#include <cmath>

#include "anim_model/KeyValidity.h"

FilmBack computeFilmBack(double imageAspect, const CameraLens& lens) {
  const double cameraAspect = lens.aspectRatio;
  const double hAp = lens.horizontalFilmAperture;
  const double vAp = lens.verticalFilmAperture;
  const double s = lens.cameraScale * (lens.nearClippingPlane / lens.focalLength);
  double kx = 1.0, ky = 1.0, offX = 0.0, offY = 0.0;
  switch (lens.filmFit) {
    case FilmFit::kFill:
      if (imageAspect < cameraAspect)
        kx = imageAspect / cameraAspect;
      else
        ky = cameraAspect / imageAspect;
      break;
    case FilmFit::kHorizontal:
      ky = cameraAspect / imageAspect;
      if (ky > 1.0)
        offY = lens.filmFitOffset * (vAp - ky * vAp) * 0.5;
      break;
    case FilmFit::kVertical:
      kx = imageAspect / cameraAspect;
      if (kx > 1.0)
        offX = lens.filmFitOffset * (hAp - kx * hAp) * 0.5;
      break;
    case FilmFit::kOverscan:
      if (imageAspect >= cameraAspect)
        kx = imageAspect / cameraAspect;
      else
        ky = cameraAspect / imageAspect;
      break;
    case FilmFit::kNone:
      break;
  }

  const double halfW = kx * hAp * 0.5;
  const double halfH = ky * vAp * 0.5;
  const double hOff = lens.horizontalFilmOffset;
  const double vOff = lens.verticalFilmOffset;
  FilmBack back;
  back.left = (offX - halfW + hOff) * s;
  back.right = (offX + halfW + hOff) * s;
  back.bottom = (offY - halfH + vOff) * s;
  back.top = (offY + halfH + vOff) * s;
  return back;
}

FilmWindow computeFilmWindow(const CameraLens& lens, const ImageSize& image) {
  const double imageAspect = static_cast<double>(image.width) / static_cast<double>(image.height);
  const FilmBack back = computeFilmBack(imageAspect, lens);
  FilmWindow window;
  window.nearDistance = lens.nearClippingPlane;
  window.origin = Vector2D(back.left, back.bottom);
  window.size = Vector2D(back.right - back.left, back.top - back.bottom);
  return window;
}

GString uncapturableCameraSetting(const CameraSample& camera, const ImageSize& image) {
  if (image.height == 0)
    return "the image height in Render Globals is 0";
  if (camera.lens.focalLength == 0.0)
    return "its focal length is 0";
  if (camera.lens.aspectRatio == 0.0)
    return "its camera aspect ratio is 0";
  const FilmWindow window = computeFilmWindow(camera.lens, image);
  if (!std::isfinite(window.nearDistance) || !std::isfinite(window.origin.x) ||
      !std::isfinite(window.origin.y) || !std::isfinite(window.size.x) ||
      !std::isfinite(window.size.y))
    return "its film back gives a window that is not finite";
  if (!(window.nearDistance > 0.0))
    return "its near clipping plane is not above 0";
  // Whatever the import would refuse is refused here, so a written file always imports.
  CameraKey key;
  fillCameraKey(key, camera, 0, image);
  if (const char* fault = cameraKeyFault(key)) {
    GString reason("its key ");
    reason += fault;
    return reason;
  }
  return GString();
}

void fillCameraKey(CameraKey& key, const CameraSample& camera, std::int32_t frame,
                   const ImageSize& image) {
  key.frame = frame;
  const FilmWindow window = computeFilmWindow(camera.lens, image);
  const Vector3D planePoint = camera.eye + window.nearDistance * camera.view;

  const GViewportPlaneInfo plane(planePoint, camera.view, camera.up);
  const GViewportWindowInfo windowInfo(window.origin, window.size);
  GViewportInfo viewport(plane, windowInfo, 0, 1.0f);
  viewport.perspective = camera.lens.isOrtho ? 0 : 1;
  key.projector = viewport;
  key.projector.eyeOffset = Vector3D(0.0, 0.0, std::fabs(window.nearDistance));
  key.projector.imageWidth = image.width;
  key.projector.imageHeight = image.height;
}

AppliedCamera appliedCamera(const CameraKey& key) {
  const ProjectorInfo& p = key.projector;
  const Vector3D& planePoint = p.plane.getPlaneOrigin();
  const Vector3D& view = p.plane.getPlaneDirection();
  const Vector3D& up = p.plane.getPlaneUp();
  const double d = p.eyeOffset.z;

  AppliedCamera camera;
  // The host camera looks down its local -z with local +y up: local x goes to (-U) x V,
  // local z to -V, and the origin to the eye, d behind the viewing plane.
  const Vector3D eye = planePoint - Vector3D(d * view.x, d * view.y, d * view.z);
  camera.transform = Matrix3D::hmtr((-up) * view, -view, eye);

  const double s = kImportedFocalDistance / d;
  camera.nearClippingPlane = d;
  camera.focalLength = s * d;
  camera.horizontalFilmAperture = p.window.size.x * s;
  camera.verticalFilmAperture = p.window.size.y * s;
  camera.isOrtho = p.perspective == 0;
  return camera;
}
