#include "anim_export/CameraCapture.h"

#include <maya/MDistance.h>
#include <maya/MPlug.h>
#include <maya/MPoint.h>
#include <maya/MString.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#include <new>

#include "anim_model/CameraGeometry.h"
#include "shell/DistanceConversion.h"
#include "shell/HostGeometry.h"

namespace {

double inchesToCentimetres(double inches) {
  return convertDistance(inches, MDistance::kInches, MDistance::kCentimeters);
}

FilmFit filmFit(MFnCamera::FilmFit fit) {
  switch (fit) {
    case MFnCamera::kFillFilmFit:
      return FilmFit::kFill;
    case MFnCamera::kHorizontalFilmFit:
      return FilmFit::kHorizontal;
    case MFnCamera::kVerticalFilmFit:
      return FilmFit::kVertical;
    case MFnCamera::kOverscanFilmFit:
      return FilmFit::kOverscan;
    default:
      return FilmFit::kNone;
  }
}

// The shake the host adds to one film offset when it renders (inches): the camera's
// horizontalShake or verticalShake while shakeEnabled is on, else nothing. A host without the
// attributes has no shake.
double shakeOf(const MFnCamera& camera, const char* attribute) {
  MStatus status;
  const MPlug enabled = camera.findPlug(MString("shakeEnabled"), true, &status);
  if (!status || !enabled.asBool())
    return 0.0;
  const MPlug shake = camera.findPlug(MString(attribute), true, &status);
  return status ? shake.asDouble() : 0.0;
}

// The camera's lens and placement as the capture's arithmetic takes them: lengths in
// centimetres, directions normalised by the host. The film offsets are the ones the host renders
// with: the shake, when enabled, is added to them (a shaken shot exports its shaken framing).
CameraSample sampleCamera(const MFnCamera& camera) {
  CameraSample sample;
  CameraLens& lens = sample.lens;
  lens.aspectRatio = camera.aspectRatio();
  lens.horizontalFilmAperture = inchesToCentimetres(camera.horizontalFilmAperture());
  lens.verticalFilmAperture = inchesToCentimetres(camera.verticalFilmAperture());
  lens.horizontalFilmOffset =
      inchesToCentimetres(camera.horizontalFilmOffset() + shakeOf(camera, "horizontalShake"));
  lens.verticalFilmOffset =
      inchesToCentimetres(camera.verticalFilmOffset() + shakeOf(camera, "verticalShake"));
  lens.focalLength =
      convertDistance(camera.focalLength(), MDistance::kMillimeters, MDistance::kCentimeters);
  lens.nearClippingPlane = camera.nearClippingPlane();
  lens.cameraScale = camera.cameraScale();
  lens.filmFit = filmFit(camera.filmFit());
  lens.filmFitOffset = camera.filmFitOffset();
  lens.isOrtho = camera.isOrtho();

  MVector view = camera.viewDirection(MSpace::kWorld);
  MVector up = camera.upDirection(MSpace::kWorld);
  view.normalize();
  up.normalize();
  sample.eye = fromHostPoint(camera.eyePoint(MSpace::kWorld));
  sample.view = fromHostVector(view);
  sample.up = fromHostVector(up);
  return sample;
}

ImageSize imageSize(const RenderSettings& settings) {
  ImageSize image;
  image.width = settings.width;
  image.height = settings.height;
  return image;
}

}  // namespace

GString uncapturableCameraSetting(const MFnCamera& camera, const RenderSettings& settings) {
  return uncapturableCameraSetting(sampleCamera(camera), imageSize(settings));
}

bool captureCamera(VXRAnimation_Camera& track, const MFnCamera& camera, std::int32_t frame,
                   const RenderSettings& settings) {
  CameraKey* key = new (std::nothrow) CameraKey();
  if (key == nullptr)
    return false;
  fillCameraKey(*key, sampleCamera(camera), frame, imageSize(settings));
  if (track.v_insert(key) < 0) {
    delete key;
    return false;
  }
  return true;
}
