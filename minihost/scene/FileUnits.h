#pragma once
// Makes a file's units (its currentUnit line) the scene's when a file is opened.

#include <string>

#include "engine/Scene.h"
#include "scene/SceneDescription.h"

namespace minihost::scenefile {

// Sets the scene's linear, angular and time units from the file's names. False when the time
// unit has no scene equivalent: the scene then keeps its own and the file's keys are still read
// in the file's unit.
bool applyFileUnits(const Units& units, Scene& scene);

}  // namespace minihost::scenefile
