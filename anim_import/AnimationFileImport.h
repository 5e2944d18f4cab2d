#pragma once

#include <maya/MStatus.h>
#include <maya/MString.h>

// Reads an animation file into a registered document and hands it to the import script: in an
// interactive session through a one-shot idle script job, which applies the keys once the host
// is idle; in a batch session (no script jobs there) by running the script at once, so the
// import is complete when this returns. A file that cannot be opened, is not a sound animation
// file, finds no import script, or (batch) is not applied in full fails here.
MStatus importAnimation(const MString& fileName);
