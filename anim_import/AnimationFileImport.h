#pragma once

#include <maya/MStatus.h>
#include <maya/MString.h>

// Reads an animation file into a registered document, then hands it to the import script
// through a one-shot idle script job, which applies the keys once the host is idle. A file that
// cannot be opened, is not a sound animation file, or finds no import script fails here and
// leaves the scene as it was.
MStatus importAnimation(const MString& fileName);
