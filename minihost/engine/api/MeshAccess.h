#pragma once
// Helpers shared by the mesh function set's geometry and UV halves.

#include <string>

#include <maya/MObject.h>
#include <maya/MString.h>

#include "engine/Handles.h"
#include "engine/MeshData.h"
#include "engine/Scene.h"

namespace minihost {

inline MeshData* meshOf(const MObject& object) {
  Node* n = Scene::get().node(HandleAccess::nodeRef(object));
  return n ? n->mesh() : nullptr;
}

// The set a call names; empty for "the current set".
inline std::string uvSetName(const MString* uvSet) {
  return uvSet ? uvSet->asChar() : std::string();
}

}  // namespace minihost

// Attached mesh or early return with the given value (status already reported).
#define MINIHOST_MESH_OR(value)                                        \
  MeshData* mesh = attached(ReturnStatus) ? meshOf(object_) : nullptr; \
  if (!mesh)                                                           \
  return value

// The same for calls that answer with a status: the attached mesh or MS::kFailure.
#define MINIHOST_MESH_OR_FAILURE()                                \
  MeshData* mesh = attached(nullptr) ? meshOf(object_) : nullptr; \
  if (!mesh)                                                      \
  return MS::kFailure
