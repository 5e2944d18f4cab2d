#pragma once

#include "anim_model/CameraKey.h"
#include "anim_model/LightKey.h"

// What makes a key usable, shared by the export (which refuses to write an unusable key), the
// file checker (which reports one) and the import (which skips one), so that the three agree:
// a file the export wrote imports whole, and a key the checker passes is applied.
//
// A camera key is usable when all its values are finite, the eye distance and both window
// sides are above 0, and what the import derives from them (the film-back scale, the apertures,
// the eye position and the camera frame) is finite as well. A light key is usable when every
// value the import applies is finite, also after the import's arithmetic (the beam of a spot
// light, the intensity in single precision, the full cone angle).
//
// Each function gives null for a usable key, otherwise why it is not, as a phrase that follows
// "the key " in a message ("has an eye distance that is not above 0").
const char* cameraKeyFault(const CameraKey& key);
const char* lightKeyFault(const LightKey& key);

// The distance (centimetres) at which the import places an applied camera's film back.
constexpr double kImportedFocalDistance = 3.5;
