#include "engine/AttributeAccess.h"

#include "engine/Handles.h"
#include "engine/Scene.h"

namespace minihost {

double readAttribute(const MObject& node, const char* name, MStatus* ReturnStatus) {
  Scene& scene = Scene::get();
  NodeRef ref = HandleAccess::nodeRef(node);
  int attr = scene.findAttribute(ref, name);
  double value = 0.0;
  bool ok = attr >= 0 && scene.getNumber(ref, attr, value);
  if (ReturnStatus)
    *ReturnStatus = ok ? MS::kSuccess : MS::kFailure;
  return ok ? value : 0.0;
}

MStatus writeAttribute(const MObject& node, const char* name, double value) {
  Scene& scene = Scene::get();
  NodeRef ref = HandleAccess::nodeRef(node);
  int attr = scene.findAttribute(ref, name);
  if (attr < 0)
    return MS::kFailure;
  return scene.setNumber(ref, attr, value) ? MS::kSuccess : MS::kInvalidParameter;
}

}  // namespace minihost
