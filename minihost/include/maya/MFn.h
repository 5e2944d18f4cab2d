#pragma once
// Function set and object types. The stand-in host models the subset of kinds that
// scenes and plug-ins meet; the values below are those of host API version 400.

#include <maya/MApiNamespace.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class MFn {
 public:
  enum Type {
    kInvalid = 0,
    kBase = 1,
    kNamedObject = 2,
    kModel = 3,
    kDependencyNode = 4,
    kAnimCurve = 7,
    kAnimCurveTimeToAngular = 8,
    kAnimCurveTimeToDistance = 9,
    kAnimCurveTimeToTime = 10,
    kAnimCurveTimeToUnitless = 11,
    kMeshVertComponent = 31,
    kDagNode = 107,
    kTransform = 110,
    kCamera = 241,
    kShape = 248,
    kWorld = 253,
    kCurve = 266,
    kNurbsCurve = 267,
    kMesh = 286,
    kLight = 297,
    kAmbientLight = 298,
    kNonAmbientLight = 299,
    kAreaLight = 300,
    kNonExtendedLight = 301,
    kDirectionalLight = 302,
    kPointLight = 303,
    kSpotLight = 304,
    kPlugin = 450,
    kRenderGlobals = 516,
    kResolution = 517,
    kMotionPath = 438,
    kComponent = 524,
    kSingleIndexedComponent = 525,
    kMeshEdgeComponent = 534,
    kMeshPolygonComponent = 548,
    kLast = 1000
  };
};

OPENMAYA_NAMESPACE_CLOSE
