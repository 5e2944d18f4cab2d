// Light function sets. Each attaches only to the light kinds its type covers:
// MFnNonExtendedLight, for instance, accepts directional, point, spot and area
// lights and refuses an ambient light.
#include <maya/MFnAmbientLight.h>
#include <maya/MFnDirectionalLight.h>
#include <maya/MFnLight.h>
#include <maya/MFnNonAmbientLight.h>
#include <maya/MFnNonExtendedLight.h>
#include <maya/MFnPointLight.h>
#include <maya/MFnSpotLight.h>

#include "engine/AttributeAccess.h"
#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::readAttribute;
using minihost::writeAttribute;

#define MINIHOST_LIGHT_SET(Class, FnType)                       \
  Class::Class() = default;                                     \
  Class::Class(const MObject& object, MStatus* ReturnStatus) {  \
    MStatus s = setObject(object);                              \
    if (ReturnStatus)                                           \
      *ReturnStatus = s;                                        \
  }                                                             \
  Class::Class(const MDagPath& object, MStatus* ReturnStatus) { \
    MStatus s = setObject(object);                              \
    if (ReturnStatus)                                           \
      *ReturnStatus = s;                                        \
  }                                                             \
  Class::~Class() = default;                                    \
  MFn::Type Class::type() const {                               \
    return FnType;                                              \
  }

MINIHOST_LIGHT_SET(MFnLight, MFn::kLight)
MINIHOST_LIGHT_SET(MFnAmbientLight, MFn::kAmbientLight)
MINIHOST_LIGHT_SET(MFnNonAmbientLight, MFn::kNonAmbientLight)
MINIHOST_LIGHT_SET(MFnNonExtendedLight, MFn::kNonExtendedLight)
MINIHOST_LIGHT_SET(MFnDirectionalLight, MFn::kDirectionalLight)
MINIHOST_LIGHT_SET(MFnPointLight, MFn::kPointLight)
MINIHOST_LIGHT_SET(MFnSpotLight, MFn::kSpotLight)

#undef MINIHOST_LIGHT_SET

MColor MFnLight::color(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MColor();
  return MColor(static_cast<float>(readAttribute(object_, "colorR", nullptr)),
                static_cast<float>(readAttribute(object_, "colorG", nullptr)),
                static_cast<float>(readAttribute(object_, "colorB", nullptr)), 1.0f);
}

MStatus MFnLight::setColor(const MColor& col) {
  MStatus s;
  if (!attached(&s))
    return s;
  s = writeAttribute(object_, "colorR", col.r);
  if (s)
    s = writeAttribute(object_, "colorG", col.g);
  if (s)
    s = writeAttribute(object_, "colorB", col.b);
  return s;
}

float MFnLight::intensity(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0.0f;
  return static_cast<float>(readAttribute(object_, "intensity", ReturnStatus));
}

MStatus MFnLight::setIntensity(const float& intens) {
  MStatus s;
  if (!attached(&s))
    return s;
  return writeAttribute(object_, "intensity", intens);
}

MFloatVector MFnLight::lightDirection(int, MSpace::Space space, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MFloatVector();
  MVector d(0, 0, -1);
  if (space == MSpace::kWorld) {
    d = d * minihost::Scene::get().worldMatrix(minihost::HandleAccess::nodeRef(object_));
    d.normalize();
  }
  return MFloatVector(d);
}

bool MFnLight::useRayTraceShadows(MStatus* ReturnStatus) const {
  attached(ReturnStatus);
  return false;
}
MColor MFnLight::shadowColor(MStatus* ReturnStatus) const {
  attached(ReturnStatus);
  return MColor(0, 0, 0);
}
bool MFnLight::lightAmbient(MStatus* ReturnStatus) const {
  return attached(ReturnStatus) && object_.hasFn(MFn::kAmbientLight);
}
bool MFnLight::lightDiffuse(MStatus* ReturnStatus) const {
  return attached(ReturnStatus);
}
bool MFnLight::lightSpecular(MStatus* ReturnStatus) const {
  return attached(ReturnStatus) && !object_.hasFn(MFn::kAmbientLight);
}

float MFnAmbientLight::ambientShade(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0.0f;
  return static_cast<float>(readAttribute(object_, "ambientShade", ReturnStatus));
}
MStatus MFnAmbientLight::setAmbientShade(const float& shade) {
  MStatus s;
  if (!attached(&s))
    return s;
  return writeAttribute(object_, "ambientShade", shade);
}

short MFnNonAmbientLight::decayRate(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0;
  return static_cast<short>(readAttribute(object_, "decayRate", ReturnStatus));
}
MStatus MFnNonAmbientLight::setDecayRate(const short& rate) {
  MStatus s;
  if (!attached(&s))
    return s;
  return writeAttribute(object_, "decayRate", rate);
}

float MFnNonExtendedLight::shadowRadius(MStatus* ReturnStatus) const {
  attached(ReturnStatus);
  return 0.0f;
}
MStatus MFnNonExtendedLight::setShadowRadius(const float&) {
  MStatus s;
  attached(&s);
  return s;
}
bool MFnNonExtendedLight::castSoftShadows(MStatus* ReturnStatus) const {
  attached(ReturnStatus);
  return false;
}
bool MFnNonExtendedLight::useDepthMapShadows(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return false;
  return readAttribute(object_, "useDepthMapShadows", ReturnStatus) != 0.0;
}

MObject MFnDirectionalLight::create(bool, MStatus* ReturnStatus) {
  return MFnDagNode::create("directionalLight", MObject::kNullObj, ReturnStatus);
}
MObject MFnDirectionalLight::create(const MObject& parent, bool, MStatus* ReturnStatus) {
  return MFnDagNode::create("directionalLight", parent, ReturnStatus);
}
MObject MFnPointLight::create(bool, MStatus* ReturnStatus) {
  return MFnDagNode::create("pointLight", MObject::kNullObj, ReturnStatus);
}
MObject MFnPointLight::create(const MObject& parent, bool, MStatus* ReturnStatus) {
  return MFnDagNode::create("pointLight", parent, ReturnStatus);
}
MObject MFnSpotLight::create(bool, MStatus* ReturnStatus) {
  return MFnDagNode::create("spotLight", MObject::kNullObj, ReturnStatus);
}
MObject MFnSpotLight::create(const MObject& parent, bool, MStatus* ReturnStatus) {
  return MFnDagNode::create("spotLight", parent, ReturnStatus);
}

double MFnSpotLight::coneAngle(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0.0;
  return readAttribute(object_, "coneAngle", ReturnStatus);
}
MStatus MFnSpotLight::setConeAngle(const double& angle) {
  MStatus s;
  if (!attached(&s))
    return s;
  return writeAttribute(object_, "coneAngle", angle);
}
double MFnSpotLight::penumbraAngle(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0.0;
  return readAttribute(object_, "penumbraAngle", ReturnStatus);
}
MStatus MFnSpotLight::setPenumbraAngle(const double& angle) {
  MStatus s;
  if (!attached(&s))
    return s;
  return writeAttribute(object_, "penumbraAngle", angle);
}
double MFnSpotLight::dropOff(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0.0;
  return readAttribute(object_, "dropoff", ReturnStatus);
}
MStatus MFnSpotLight::setDropOff(const double& value) {
  MStatus s;
  if (!attached(&s))
    return s;
  return writeAttribute(object_, "dropoff", value);
}

OPENMAYA_NAMESPACE_CLOSE
