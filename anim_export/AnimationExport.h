#pragma once

#include <maya/MPxFileTranslator.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

// Writes an animation file: the scene's cameras and lights (all of them, or the selected ones
// when `mode` is an export of the selection) captured at every frame of the render range. The
// current time is put back afterwards. A failure is reported and leaves any earlier file at
// `fileName` as it was.
MStatus exportAnimation(const MString& fileName, MPxFileTranslator::FileAccessMode mode);
