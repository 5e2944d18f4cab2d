#pragma once
// Function set for every light shape: colour and intensity.

#include <maya/MColor.h>
#include <maya/MFloatVector.h>
#include <maya/MFnDagNode.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnLight : public MFnDagNode {
 public:
  MFnLight();
  MFnLight(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnLight(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnLight() override;
  MFn::Type type() const override;

  MColor color(MStatus* ReturnStatus = NULL) const;
  MStatus setColor(const MColor& col);
  float intensity(MStatus* ReturnStatus = NULL) const;
  MStatus setIntensity(const float& intens);
  // Direction of the light (its local -z axis) in the given space.
  MFloatVector lightDirection(int instance = 0, MSpace::Space space = MSpace::kWorld,
                              MStatus* ReturnStatus = NULL) const;
  bool useRayTraceShadows(MStatus* ReturnStatus = NULL) const;
  MColor shadowColor(MStatus* ReturnStatus = NULL) const;
  bool lightAmbient(MStatus* ReturnStatus = NULL) const;
  bool lightDiffuse(MStatus* ReturnStatus = NULL) const;
  bool lightSpecular(MStatus* ReturnStatus = NULL) const;
};

OPENMAYA_NAMESPACE_CLOSE
