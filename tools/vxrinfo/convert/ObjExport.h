#pragma once

#include <string>

class FaultList;

// Converts a mesh file into a Wavefront OBJ file: one object ("o") per record with its
// positions ("v"), normals ("vn"), a texture coordinate per corner ("vt") and the faces ("f",
// 1-based vertex/uv/normal indices). The mesh file is checked in full first; a damaged one is
// not converted and the target is left as it was. The target is replaced atomically.
enum class ConversionResult { written, inputDamaged, outputFailed };

ConversionResult convertMeshToObj(const std::string& meshPath, const std::string& objPath,
                                  FaultList& faults);

// The object name used for a record: the stored name with anything OBJ cannot carry in a name
// (white space, control characters, '#', bytes that are not UTF-8) replaced by '_'; "mesh<index>"
// for an empty name.
std::string objObjectName(const std::string& name, unsigned index);
