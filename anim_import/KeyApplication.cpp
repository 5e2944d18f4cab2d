#include "anim_import/KeyApplication.h"

#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MDistance.h>
#include <maya/MFnLight.h>
#include <maya/MFnTransform.h>
#include <maya/MObject.h>
#include <maya/MTransformationMatrix.h>

#include "anim_model/CameraGeometry.h"
#include "anim_model/LightGeometry.h"
#include "shell/DistanceConversion.h"
#include "shell/HostGeometry.h"

namespace {

void applyColourAndIntensity(MFnLight& light, const LightKey& key) {
  const LightAppearance appearance = lightAppearance(key);
  light.setIntensity(appearance.intensity);
  light.setColor(MColor(appearance.red, appearance.green, appearance.blue, appearance.alpha));
}

}  // namespace

void setParentTransform(const MFnDagNode& shape, const Matrix3D& matrix) {
  MDagPath path;
  shape.getPath(path);
  MObject transformNode = path.transform();
  MFnTransform transform(transformNode);
  transform.set(MTransformationMatrix(toHostMatrix(matrix)));
}

void applyCameraKey(MFnCamera& camera, const CameraKey& key) {
  const AppliedCamera applied = appliedCamera(key);
  setParentTransform(camera, applied.transform);
  camera.setNearClippingPlane(applied.nearClippingPlane);
  camera.setFocalLength(
      convertDistance(applied.focalLength, MDistance::kCentimeters, MDistance::kMillimeters));
  camera.setHorizontalFilmAperture(
      convertDistance(applied.horizontalFilmAperture, MDistance::kCentimeters, MDistance::kInches));
  camera.setVerticalFilmAperture(
      convertDistance(applied.verticalFilmAperture, MDistance::kCentimeters, MDistance::kInches));
  camera.setIsOrtho(applied.isOrtho);
}

void applyDirectionalLightKey(MFnDirectionalLight& light, const LightKey& key) {
  setParentTransform(light, directionalLightTransform(key));
  applyColourAndIntensity(light, key);
}

void applyPointLightKey(MFnPointLight& light, const LightKey& key) {
  setParentTransform(light, pointLightTransform(key));
  applyColourAndIntensity(light, key);
}

void applySpotLightKey(MFnSpotLight& light, const LightKey& key) {
  setParentTransform(light, spotLightTransform(key));
  light.setConeAngle(spotConeAngle(key));
  light.setPenumbraAngle(key.penumbraAngle);
  applyColourAndIntensity(light, key);
}
