#pragma once

#include <maya/MDagPath.h>

#include <cstdint>

#include "anim_model/VXRAnimation_Light.h"

// Appends one key for the light at the host's current time: type, colour, intensity, placement
// from the light's own transform (its parents are not applied) and, for a spot light, the cone.
// Lights that are not directional, point or spot lights (ambient and area lights) get no key.
// False, with nothing appended, only when memory ran out.
bool captureLight(VXRAnimation_Light& track, const MDagPath& lightPath, std::int32_t frame);
