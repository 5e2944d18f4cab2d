#pragma once

#include <maya/MDagPath.h>

#include <cstdint>

#include "anim_model/VXRAnimation_Light.h"

// Appends one key for the light at the host's current time: type, colour, intensity, placement
// from the light's own transform (its parents are not applied) and, for a spot light, the cone.
// Lights that are not directional, point or spot lights (ambient and area lights) get no key.
// A key the import could not apply (an infinite cone, an intensity beyond single precision) is
// not appended: kUnusable, with `fault` saying why as a phrase after "the key ". kOutOfMemory,
// with nothing appended, when memory ran out.
enum class LightCapture { kCaptured, kUnusable, kOutOfMemory };
LightCapture captureLight(VXRAnimation_Light& track, const MDagPath& lightPath, std::int32_t frame,
                          const char** fault);
