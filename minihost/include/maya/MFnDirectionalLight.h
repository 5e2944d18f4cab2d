#pragma once
// Function set for directional lights.

#include <maya/MFnNonExtendedLight.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnDirectionalLight : public MFnNonExtendedLight {
 public:
  MFnDirectionalLight();
  MFnDirectionalLight(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnDirectionalLight(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnDirectionalLight() override;
  MFn::Type type() const override;

  MObject create(bool UIvisible = true, MStatus* ReturnStatus = NULL);
  MObject create(const MObject& parent, bool UIvisible = true, MStatus* ReturnStatus = NULL);
};

OPENMAYA_NAMESPACE_CLOSE
