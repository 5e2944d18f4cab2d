#pragma once

class opstream;

// Writes one mesh record for every polygon mesh of the active selection, in selection order, into
// a stream the caller has opened and will close. Points, normals and face normals are taken in
// world space and turned z-up; a face selection still gives its whole mesh. With no mesh selected
// nothing is written. Problems with the stream are left for the caller to find in its state.
void writeSelectedMeshes(opstream& out);
