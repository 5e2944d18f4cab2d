#pragma once
// Function set for every light except the ambient light.

#include <maya/MFnLight.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnNonAmbientLight : public MFnLight {
 public:
  MFnNonAmbientLight();
  MFnNonAmbientLight(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnNonAmbientLight(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnNonAmbientLight() override;
  MFn::Type type() const override;

  short decayRate(MStatus* ReturnStatus = NULL) const;
  MStatus setDecayRate(const short& decayRate);
};

OPENMAYA_NAMESPACE_CLOSE
