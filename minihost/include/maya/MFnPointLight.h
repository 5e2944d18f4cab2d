#pragma once
// Function set for point lights.

#include <maya/MFnNonExtendedLight.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnPointLight : public MFnNonExtendedLight {
 public:
  MFnPointLight();
  MFnPointLight(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnPointLight(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnPointLight() override;
  MFn::Type type() const override;

  MObject create(bool UIvisible = true, MStatus* ReturnStatus = NULL);
  MObject create(const MObject& parent, bool UIvisible = true, MStatus* ReturnStatus = NULL);
};

OPENMAYA_NAMESPACE_CLOSE
