#include "anim_import/AppliedState.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MFnTransform.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>

namespace {

// Every shape attribute the camera and light setters change (anim_import/KeyApplication.h).
const char* const kAppliedAttributes[] = {"nearClipPlane",
                                          "focalLength",
                                          "horizontalFilmAperture",
                                          "verticalFilmAperture",
                                          "orthographic",
                                          "intensity",
                                          "colorR",
                                          "colorG",
                                          "colorB",
                                          "coneAngle",
                                          "penumbraAngle"};

}  // namespace

void AppliedState::capture(const MObject& transform, const MObject& shape) {
  transform_ = transform;
  shape_ = shape;
  values_.clear();
  MStatus status;
  MFnTransform fnTransform(transform, &status);
  if (status)
    transformation_ = fnTransform.transformation();
  MFnDependencyNode fnShape(shape, &status);
  if (!status)
    return;
  for (const char* name : kAppliedAttributes) {
    MPlug plug = fnShape.findPlug(MString(name), true, &status);
    if (!status)
      continue;
    double value = 0.0;
    if (plug.getValue(value))
      values_.push_back(Value{MString(name), value});
  }
}

void AppliedState::restore() const {
  MStatus status;
  MFnTransform fnTransform(transform_, &status);
  if (status)
    fnTransform.set(transformation_);
  MFnDependencyNode fnShape(shape_, &status);
  if (!status)
    return;
  for (const Value& v : values_) {
    MPlug plug = fnShape.findPlug(v.attribute, true, &status);
    if (status)
      plug.setValue(v.value);
  }
}
