#include "anim_export/LightCapture.h"

#include <maya/MColor.h>
#include <maya/MFnDirectionalLight.h>
#include <maya/MFnLight.h>
#include <maya/MFnNonExtendedLight.h>
#include <maya/MFnPointLight.h>
#include <maya/MFnSpotLight.h>
#include <maya/MFnTransform.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTransformationMatrix.h>

#include <new>

#include "anim_model/KeyValidity.h"
#include "anim_model/LightGeometry.h"
#include "shell/HostGeometry.h"

namespace {

// The transform directly above the light, relative to its parent, into `sample`: its whole
// matrix and its rotation alone. Both stay the identity when the transform cannot be read.
void samplePlacement(LightSample& sample, const MDagPath& lightPath) {
  MStatus status;
  MObject transformNode = lightPath.transform(&status);
  if (!status)
    return;
  MFnTransform transform(transformNode, &status);
  if (!status)
    return;
  const MMatrix host = transform.transformationMatrix(&status);
  if (!status)
    return;
  sample.matrix = fromHostMatrix(host);
  const MTransformationMatrix parts = transform.transformation(&status);
  if (status)
    sample.rotation = fromHostMatrix(parts.asRotateMatrix()).get_rotate();
}

}  // namespace

LightCapture captureLight(VXRAnimation_Light& track, const MDagPath& lightPath, std::int32_t frame,
                          const char** fault) {
  MStatus status;
  MFnNonExtendedLight light(lightPath, &status);
  if (!status)
    return LightCapture::kCaptured;

  // A light none of the three kinds accepts (an area light) would otherwise be written as a
  // point light at the start position: it gets no keys, like an ambient light.
  LightSample sample;
  status.clear();
  MFnSpotLight spot(lightPath, &status);
  if (status) {
    sample.type = LightKey::kSpot;
    sample.coneAngle = spot.coneAngle();
    sample.penumbraAngle = spot.penumbraAngle();
  } else {
    status.clear();
    MFnPointLight point(lightPath, &status);
    if (status) {
      sample.type = LightKey::kPoint;
    } else {
      status.clear();
      MFnDirectionalLight directional(lightPath, &status);
      if (!status)
        return LightCapture::kCaptured;
      sample.type = LightKey::kDirectional;
    }
  }

  const MColor colour = light.color();
  sample.red = colour.r;
  sample.green = colour.g;
  sample.blue = colour.b;
  sample.intensity = light.intensity();
  samplePlacement(sample, lightPath);

  LightKey* key = new (std::nothrow) LightKey();
  if (key == nullptr)
    return LightCapture::kOutOfMemory;
  fillLightKey(*key, sample, frame);
  // The rule the import and the checker apply: a file the export writes imports whole.
  if (const char* why = lightKeyFault(*key)) {
    delete key;
    if (fault)
      *fault = why;
    return LightCapture::kUnusable;
  }
  if (track.v_insert(key) < 0) {
    delete key;
    return LightCapture::kOutOfMemory;
  }
  return LightCapture::kCaptured;
}
