#pragma once

#include <maya/MDagPathArray.h>
#include <maya/MFn.h>
#include <maya/MPxFileTranslator.h>

// Appends the paths of every DAG object of `type`, in breadth-first order; in the
// export-selection mode only those the active selection holds.
void collectDagPaths(MDagPathArray& paths, MFn::Type type, MPxFileTranslator::FileAccessMode mode);
