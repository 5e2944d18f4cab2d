#include <maya/MObject.h>

#include "engine/Handles.h"
#include "engine/PluginRegistry.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::Scene;

MObject MObject::kNullObj;

MObject::MObject() = default;
MObject::MObject(const MObject& other) = default;
MObject& MObject::operator=(const MObject& other) = default;
MObject::~MObject() = default;

bool MObject::hasFn(MFn::Type type) const {
  switch (kind_) {
    case Kind::kNull:
      return false;
    case Kind::kNode: {
      const minihost::Node* n = Scene::get().node(HandleAccess::nodeRef(*this));
      return n && n->type->hasFn(type);
    }
    case Kind::kComponent:
      return type == MFn::kBase || type == MFn::kComponent ||
             type == MFn::kSingleIndexedComponent || type == componentType_;
    case Kind::kPlugin:
      return (type == MFn::kBase || type == MFn::kPlugin) &&
             minihost::PluginRegistry::get().pluginAlive(*this);
  }
  return false;
}

bool MObject::isNull() const {
  switch (kind_) {
    case Kind::kNull:
      return true;
    case Kind::kNode:
      return !Scene::get().isAlive(HandleAccess::nodeRef(*this));
    case Kind::kComponent:
      return false;
    case Kind::kPlugin:
      return !minihost::PluginRegistry::get().pluginAlive(*this);
  }
  return true;
}

MFn::Type MObject::apiType() const {
  switch (kind_) {
    case Kind::kNull:
      return MFn::kInvalid;
    case Kind::kNode: {
      const minihost::Node* n = Scene::get().node(HandleAccess::nodeRef(*this));
      return n ? n->type->apiType : MFn::kInvalid;
    }
    case Kind::kComponent:
      return componentType_;
    case Kind::kPlugin:
      return isNull() ? MFn::kInvalid : MFn::kPlugin;
  }
  return MFn::kInvalid;
}

const char* MObject::apiTypeStr() const {
  switch (apiType()) {
    case MFn::kWorld:
      return "kWorld";
    case MFn::kTransform:
      return "kTransform";
    case MFn::kCamera:
      return "kCamera";
    case MFn::kMesh:
      return "kMesh";
    case MFn::kDirectionalLight:
      return "kDirectionalLight";
    case MFn::kPointLight:
      return "kPointLight";
    case MFn::kSpotLight:
      return "kSpotLight";
    case MFn::kAmbientLight:
      return "kAmbientLight";
    case MFn::kAreaLight:
      return "kAreaLight";
    case MFn::kRenderGlobals:
      return "kRenderGlobals";
    case MFn::kResolution:
      return "kResolution";
    case MFn::kAnimCurveTimeToDistance:
      return "kAnimCurveTimeToDistance";
    case MFn::kAnimCurveTimeToAngular:
      return "kAnimCurveTimeToAngular";
    case MFn::kAnimCurveTimeToUnitless:
      return "kAnimCurveTimeToUnitless";
    case MFn::kAnimCurveTimeToTime:
      return "kAnimCurveTimeToTime";
    case MFn::kMeshPolygonComponent:
      return "kMeshPolygonComponent";
    case MFn::kMeshVertComponent:
      return "kMeshVertComponent";
    case MFn::kMeshEdgeComponent:
      return "kMeshEdgeComponent";
    case MFn::kPlugin:
      return "kPlugin";
    default:
      return "kInvalid";
  }
}

bool MObject::operator==(const MObject& other) const {
  if (kind_ != other.kind_)
    return false;
  switch (kind_) {
    case Kind::kNull:
      return true;
    case Kind::kComponent:
      return componentType_ == other.componentType_ &&
             (elements_ == other.elements_ ||
              (elements_ && other.elements_ && *elements_ == *other.elements_));
    default:
      return index_ == other.index_ && generation_ == other.generation_;
  }
}

bool MObject::operator!=(const MObject& other) const {
  return !(*this == other);
}

OPENMAYA_NAMESPACE_CLOSE
