#pragma once
// Function set for ambient lights.

#include <maya/MFnLight.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnAmbientLight : public MFnLight {
 public:
  MFnAmbientLight();
  MFnAmbientLight(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnAmbientLight(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnAmbientLight() override;
  MFn::Type type() const override;

  float ambientShade(MStatus* ReturnStatus = NULL) const;
  MStatus setAmbientShade(const float& ambientShade);
};

OPENMAYA_NAMESPACE_CLOSE
