#pragma once
// Function set for spot lights; angles in radians.

#include <maya/MFnNonExtendedLight.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnSpotLight : public MFnNonExtendedLight {
 public:
  MFnSpotLight();
  MFnSpotLight(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnSpotLight(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnSpotLight() override;
  MFn::Type type() const override;

  MObject create(bool UIvisible = true, MStatus* ReturnStatus = NULL);
  MObject create(const MObject& parent, bool UIvisible = true, MStatus* ReturnStatus = NULL);

  double coneAngle(MStatus* ReturnStatus = NULL) const;
  MStatus setConeAngle(const double& coneAngle);
  double penumbraAngle(MStatus* ReturnStatus = NULL) const;
  MStatus setPenumbraAngle(const double& penumbraAngle);
  double dropOff(MStatus* ReturnStatus = NULL) const;
  MStatus setDropOff(const double& dropOff);
};

OPENMAYA_NAMESPACE_CLOSE
