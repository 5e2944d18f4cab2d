#pragma once

struct VxrinfoOptions;
class TextSink;

// vxrinfo --gltf: checks every input in full (at most one animation file, any number of mesh
// files), maps the shot to glTF and writes it. Reports to `out`; returns the exit status.
int convertToGltf(const VxrinfoOptions& options, TextSink& out);
