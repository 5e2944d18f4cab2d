#pragma once

#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDirectionalLight.h>
#include <maya/MFnPointLight.h>
#include <maya/MFnSpotLight.h>

#include "anim_model/CameraKey.h"
#include "anim_model/LightKey.h"
#include "boundary/math/Matrix3D.h"

// Writing one key onto an existing host camera or light: the shape's attributes and the matrix
// of the transform directly above the shape. Nothing is created and no animation key is set;
// the host setters' statuses are not examined. The values come from anim_model/CameraGeometry.h
// and anim_model/LightGeometry.h; these copy them into the host.

// The setters take keys that `cameraKeyFault` and `lightKeyFault` pass: only those keep every
// value they put into the scene finite.
void applyCameraKey(MFnCamera& camera, const CameraKey& key);
void applyDirectionalLightKey(MFnDirectionalLight& light, const LightKey& key);
void applyPointLightKey(MFnPointLight& light, const LightKey& key);
void applySpotLightKey(MFnSpotLight& light, const LightKey& key);

// Sets the matrix of the transform above `shape` to `matrix`.
void setParentTransform(const MFnDagNode& shape, const Matrix3D& matrix);
