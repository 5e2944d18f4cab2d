#pragma once
// Function set for camera shapes. A camera looks down its local -z axis with
// local +y up; film back values are in inches, the focal length in millimetres.

#include <maya/MFnDagNode.h>
#include <maya/MPoint.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnCamera : public MFnDagNode {
 public:
  enum FilmFit { kFillFilmFit, kHorizontalFilmFit, kVerticalFilmFit, kOverscanFilmFit, kInvalid };

  MFnCamera();
  MFnCamera(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnCamera(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnCamera() override;
  MFn::Type type() const override;

  MObject create(MStatus* ReturnStatus = NULL);
  MObject create(const MObject& parent, MStatus* ReturnStatus = NULL);

  MPoint eyePoint(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
  MVector viewDirection(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
  MVector upDirection(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
  MVector rightDirection(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
  MPoint centerOfInterestPoint(MSpace::Space space = MSpace::kObject,
                               MStatus* ReturnStatus = NULL) const;
  double centerOfInterest(MStatus* ReturnStatus = NULL) const;
  MStatus setCenterOfInterest(double dist);

  // Horizontal over vertical film aperture.
  double aspectRatio(MStatus* ReturnStatus = NULL) const;
  MStatus setAspectRatio(double aspectRatio);
  double horizontalFilmAperture(MStatus* ReturnStatus = NULL) const;
  MStatus setHorizontalFilmAperture(double hFilmAperture);
  double verticalFilmAperture(MStatus* ReturnStatus = NULL) const;
  MStatus setVerticalFilmAperture(double vFilmAperture);
  double horizontalFilmOffset(MStatus* ReturnStatus = NULL) const;
  MStatus setHorizontalFilmOffset(double hOffset);
  double verticalFilmOffset(MStatus* ReturnStatus = NULL) const;
  MStatus setVerticalFilmOffset(double vOffset);
  FilmFit filmFit(MStatus* ReturnStatus = NULL) const;
  MStatus setFilmFit(FilmFit filmFit);
  double filmFitOffset(MStatus* ReturnStatus = NULL) const;
  MStatus setFilmFitOffset(double filmFitOffset);
  double focalLength(MStatus* ReturnStatus = NULL) const;
  MStatus setFocalLength(double focalLength);
  double lensSqueezeRatio(MStatus* ReturnStatus = NULL) const;
  double nearClippingPlane(MStatus* ReturnStatus = NULL) const;
  MStatus setNearClippingPlane(double dNear);
  double farClippingPlane(MStatus* ReturnStatus = NULL) const;
  MStatus setFarClippingPlane(double dFar);
  MStatus setNearFarClippingPlanes(double dNear, double dFar);
  double cameraScale(MStatus* ReturnStatus = NULL) const;
  MStatus setCameraScale(double scale);
  bool isOrtho(MStatus* ReturnStatus = NULL) const;
  // Switches between orthographic and perspective; a positive useDist also sets
  // the orthographic width.
  MStatus setIsOrtho(bool orthoState, double useDist = 0.0);
  double orthoWidth(MStatus* ReturnStatus = NULL) const;
  MStatus setOrthoWidth(double orthoWidth);
  double horizontalFieldOfView(MStatus* ReturnStatus = NULL) const;
  double verticalFieldOfView(MStatus* ReturnStatus = NULL) const;
};

OPENMAYA_NAMESPACE_CLOSE
