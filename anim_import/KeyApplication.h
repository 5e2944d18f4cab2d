#pragma once

#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDirectionalLight.h>
#include <maya/MFnPointLight.h>
#include <maya/MFnSpotLight.h>
#include <maya/MMatrix.h>

#include "anim_model/CameraKey.h"
#include "anim_model/LightKey.h"
#include "boundary/math/Matrix3D.h"

// Writing one key onto an existing host camera or light: the shape's attributes and the matrix
// of the transform directly above the shape. Nothing is created and no animation key is set;
// the host setters' statuses are not examined.

// False when the key holds values that would put non-finite numbers into the scene (an eye
// distance of 0, a non-finite vector or window). Such a key is not applied.
bool isApplicableCameraKey(const CameraKey& key);
bool isApplicableLightKey(const LightKey& key);

void applyCameraKey(MFnCamera& camera, const CameraKey& key);
void applyDirectionalLightKey(MFnDirectionalLight& light, const LightKey& key);
void applyPointLightKey(MFnPointLight& light, const LightKey& key);
void applySpotLightKey(MFnSpotLight& light, const LightKey& key);

// Sets the matrix of the transform above `shape` to `matrix`.
void setParentTransform(const MFnDagNode& shape, const Matrix3D& matrix);

// The library's column-vector matrix as the host's row-vector matrix: a transpose.
MMatrix toHostMatrix(const Matrix3D& matrix);
