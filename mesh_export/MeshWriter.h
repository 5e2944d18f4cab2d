#pragma once

#include "boundary/base/GString.h"
#include "boundary/base/opstream.h"

// Writes one mesh record for every polygon mesh of the active selection, in selection order, into
// a stream the caller has opened and will close. Points, normals and face normals are taken in
// world space and turned z-up; a face selection still gives its whole mesh. With no mesh selected
// nothing is written. Problems with the stream are left for the caller to find in its state.
//
// A mesh with a value that is not finite in the file (a point moved or scaled beyond the Float
// range, a NaN) would make the file damaged: the writing stops after that mesh's record, its
// full path name goes into `nonFiniteMesh`, and the result is false. The caller then abandons the
// stream instead of finishing the file.
bool writeSelectedMeshes(opstream& out, GString& nonFiniteMesh);
