#pragma once

#include <cstdint>
#include <string>

#include "anim_model/AnimationDocument.h"
#include "anim_model/CameraKey.h"
#include "anim_model/LightKey.h"

// Keys with a distinct value in every field, so a field that is dropped, swapped or misread
// shows. `seed` varies the values between keys.
CameraKey makeCameraKey(std::int32_t frame, double seed);
LightKey makeLightKey(std::int32_t frame, double seed);

// Every field equal (doubles bit for bit as stored; -0 and 0 differ).
void expectSameCameraKey(const CameraKey& expected, const CameraKey& actual);
void expectSameLightKey(const LightKey& expected, const LightKey& actual);

// A new track with a name and `keys` keys (frames start at `firstFrame`), heap-allocated for a
// list to own.
VXRAnimation_Camera* makeCameraTrack(const char* name, int keys, std::int32_t firstFrame = 1);
VXRAnimation_Light* makeLightTrack(const char* name, int keys, std::int32_t firstFrame = 1);

// The bytes of a version 1 file holding these lists, as the export writes them.
std::string writeAnimationFile(const VXRAnimation_CameraList& cameras,
                               const VXRAnimation_LightList& lights, bool upAxisIsZ);

// A document with three camera tracks (2 keys, none, 3 keys) and two light tracks (1 key, 4
// keys), names "cam0" ... and "light0" ..., some negative frames.
void fillSampleDocument(AnimationDocument& document);

// The small file of the format documentation: one camera with one key, one light with one key.
void fillSmallDocument(AnimationDocument& document);

// The two documents hold the same tracks, in the same order, with the same names and keys;
// doubles equal bit for bit, or by value (-0 equals 0) when `byValue`.
void expectSameTracks(const AnimationDocument& expected, const AnimationDocument& actual,
                      bool byValue = false);

// Each component within `tolerance`; `what` names the case in a failure.
void expectVectorNear(const Vector3D& actual, const Vector3D& expected, double tolerance,
                      const std::string& what = std::string());
