#pragma once
// Function set for the directional, point, spot and area lights.

#include <maya/MFnNonAmbientLight.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnNonExtendedLight : public MFnNonAmbientLight {
 public:
  MFnNonExtendedLight();
  MFnNonExtendedLight(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnNonExtendedLight(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnNonExtendedLight() override;
  MFn::Type type() const override;

  float shadowRadius(MStatus* ReturnStatus = NULL) const;
  MStatus setShadowRadius(const float& radius);
  bool castSoftShadows(MStatus* ReturnStatus = NULL) const;
  bool useDepthMapShadows(MStatus* ReturnStatus = NULL) const;
};

OPENMAYA_NAMESPACE_CLOSE
