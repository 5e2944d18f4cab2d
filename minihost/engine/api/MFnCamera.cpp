#include <maya/MFnCamera.h>

#include <cmath>

#include "engine/AttributeAccess.h"
#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::readAttribute;
using minihost::Scene;
using minihost::writeAttribute;

MFnCamera::MFnCamera() = default;
MFnCamera::MFnCamera(const MObject& object, MStatus* ReturnStatus) {
  MStatus s = setObject(object);
  if (ReturnStatus)
    *ReturnStatus = s;
}
MFnCamera::MFnCamera(const MDagPath& object, MStatus* ReturnStatus) {
  MStatus s = setObject(object);
  if (ReturnStatus)
    *ReturnStatus = s;
}
MFnCamera::~MFnCamera() = default;
MFn::Type MFnCamera::type() const {
  return MFn::kCamera;
}

MObject MFnCamera::create(MStatus* ReturnStatus) {
  return MFnDagNode::create("camera", MObject::kNullObj, ReturnStatus);
}
MObject MFnCamera::create(const MObject& parent, MStatus* ReturnStatus) {
  return MFnDagNode::create("camera", parent, ReturnStatus);
}

namespace {

// The camera's frame in the requested space: object space is the shape's own
// (eye at the origin, looking down -z, +y up).
MMatrix frame(const MObject& shape, MSpace::Space space) {
  if (space != MSpace::kWorld)
    return MMatrix();
  return Scene::get().worldMatrix(HandleAccess::nodeRef(shape));
}

}  // namespace

MPoint MFnCamera::eyePoint(MSpace::Space space, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MPoint();
  return MPoint(0, 0, 0) * frame(object_, space);
}

MVector MFnCamera::viewDirection(MSpace::Space space, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MVector();
  return MVector(0, 0, -1) * frame(object_, space);
}

MVector MFnCamera::upDirection(MSpace::Space space, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MVector();
  return MVector(0, 1, 0) * frame(object_, space);
}

MVector MFnCamera::rightDirection(MSpace::Space space, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MVector();
  return MVector(1, 0, 0) * frame(object_, space);
}

MPoint MFnCamera::centerOfInterestPoint(MSpace::Space space, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MPoint();
  double coi = readAttribute(object_, "centerOfInterest", nullptr);
  return MPoint(0, 0, -coi) * frame(object_, space);
}

double MFnCamera::centerOfInterest(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0.0;
  return readAttribute(object_, "centerOfInterest", ReturnStatus);
}
MStatus MFnCamera::setCenterOfInterest(double dist) {
  MStatus s;
  if (!attached(&s))
    return s;
  return writeAttribute(object_, "centerOfInterest", dist);
}

double MFnCamera::aspectRatio(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0.0;
  double h = readAttribute(object_, "horizontalFilmAperture", nullptr);
  double v = readAttribute(object_, "verticalFilmAperture", nullptr);
  return v != 0.0 ? h / v : 0.0;
}

MStatus MFnCamera::setAspectRatio(double ratio) {
  MStatus s;
  if (!attached(&s))
    return s;
  if (!(ratio > 0.0))
    return MS::kInvalidParameter;
  // The horizontal aperture stays; the vertical one follows the ratio.
  double h = readAttribute(object_, "horizontalFilmAperture", nullptr);
  return writeAttribute(object_, "verticalFilmAperture", h / ratio);
}

#define MINIHOST_CAMERA_VALUE(getter, setter, attr)       \
  double MFnCamera::getter(MStatus* ReturnStatus) const { \
    if (!attached(ReturnStatus))                          \
      return 0.0;                                         \
    return readAttribute(object_, attr, ReturnStatus);    \
  }                                                       \
  MStatus MFnCamera::setter(double value) {               \
    MStatus s;                                            \
    if (!attached(&s))                                    \
      return s;                                           \
    return writeAttribute(object_, attr, value);          \
  }

MINIHOST_CAMERA_VALUE(horizontalFilmAperture, setHorizontalFilmAperture, "horizontalFilmAperture")
MINIHOST_CAMERA_VALUE(verticalFilmAperture, setVerticalFilmAperture, "verticalFilmAperture")
MINIHOST_CAMERA_VALUE(horizontalFilmOffset, setHorizontalFilmOffset, "horizontalFilmOffset")
MINIHOST_CAMERA_VALUE(verticalFilmOffset, setVerticalFilmOffset, "verticalFilmOffset")
MINIHOST_CAMERA_VALUE(filmFitOffset, setFilmFitOffset, "filmFitOffset")
MINIHOST_CAMERA_VALUE(focalLength, setFocalLength, "focalLength")
MINIHOST_CAMERA_VALUE(nearClippingPlane, setNearClippingPlane, "nearClipPlane")
MINIHOST_CAMERA_VALUE(farClippingPlane, setFarClippingPlane, "farClipPlane")
MINIHOST_CAMERA_VALUE(cameraScale, setCameraScale, "cameraScale")
MINIHOST_CAMERA_VALUE(orthoWidth, setOrthoWidth, "orthographicWidth")

#undef MINIHOST_CAMERA_VALUE

double MFnCamera::lensSqueezeRatio(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0.0;
  return readAttribute(object_, "lensSqueezeRatio", ReturnStatus);
}

MStatus MFnCamera::setNearFarClippingPlanes(double dNear, double dFar) {
  MStatus s;
  if (!attached(&s))
    return s;
  if (!(dNear < dFar))
    return MS::kInvalidParameter;
  s = writeAttribute(object_, "nearClipPlane", dNear);
  if (!s)
    return s;
  return writeAttribute(object_, "farClipPlane", dFar);
}

MFnCamera::FilmFit MFnCamera::filmFit(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return kInvalid;
  return static_cast<FilmFit>(static_cast<int>(readAttribute(object_, "filmFit", ReturnStatus)));
}

MStatus MFnCamera::setFilmFit(FilmFit fit) {
  MStatus s;
  if (!attached(&s))
    return s;
  return writeAttribute(object_, "filmFit", static_cast<int>(fit));
}

bool MFnCamera::isOrtho(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return false;
  return readAttribute(object_, "orthographic", ReturnStatus) != 0.0;
}

MStatus MFnCamera::setIsOrtho(bool orthoState, double useDist) {
  MStatus s;
  if (!attached(&s))
    return s;
  s = writeAttribute(object_, "orthographic", orthoState ? 1.0 : 0.0);
  if (s && orthoState && useDist > 0.0)
    s = writeAttribute(object_, "orthographicWidth", useDist);
  return s;
}

double MFnCamera::horizontalFieldOfView(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0.0;
  double ap = readAttribute(object_, "horizontalFilmAperture", nullptr) * 25.4;
  double fl = readAttribute(object_, "focalLength", nullptr);
  return fl > 0.0 ? 2.0 * std::atan(ap * 0.5 / fl) : 0.0;
}

double MFnCamera::verticalFieldOfView(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0.0;
  double ap = readAttribute(object_, "verticalFilmAperture", nullptr) * 25.4;
  double fl = readAttribute(object_, "focalLength", nullptr);
  return fl > 0.0 ? 2.0 * std::atan(ap * 0.5 / fl) : 0.0;
}

OPENMAYA_NAMESPACE_CLOSE
