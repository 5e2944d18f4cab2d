#pragma once
// The one place that builds and opens host handles (MObject, MPlug, MDagPath,
// selection items). Handles name a node by slot index and generation; the scene
// bumps a slot's generation when its node is deleted, so old handles stop matching.

#include <cstdint>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>

namespace minihost {

struct NodeRef {
  uint32_t index = 0;
  uint32_t generation = 0;  // 0 never names a node
  bool isSet() const { return generation != 0; }
  bool operator==(const NodeRef& o) const { return index == o.index && generation == o.generation; }
  bool operator!=(const NodeRef& o) const { return !(*this == o); }
};

class HandleAccess {
 public:
  static MObject nodeObject(NodeRef ref);
  // The node a handle names, alive or not; unset for any other kind of object.
  static NodeRef nodeRef(const MObject& object) {
    if (object.kind_ != MObject::Kind::kNode)
      return NodeRef{};
    return NodeRef{object.index_, object.generation_};
  }
  static bool isComponent(const MObject& object);
  static MObject componentObject(MFn::Type type, std::vector<int> elements);
  static MFn::Type componentType(const MObject& object);
  static const std::vector<int>* componentElements(const MObject& object);
  static MObject pluginObject(uint32_t index, uint32_t generation);
  static bool pluginRef(const MObject& object, uint32_t& index, uint32_t& generation);

  static MPlug plug(NodeRef node, int attribute);
  static NodeRef plugNode(const MPlug& plug);
  static int plugAttribute(const MPlug& plug);

  static MDagPath dagPath(NodeRef node);
  static NodeRef pathNode(const MDagPath& path);

  static unsigned int selectionLength(const MSelectionList& list);
  static const MObject& selectionNode(const MSelectionList& list, unsigned int i);
  static const MObject& selectionComponent(const MSelectionList& list, unsigned int i);
  static void selectionAppend(MSelectionList& list, const MObject& node, const MObject& component);
  static void selectionRemove(MSelectionList& list, unsigned int i);
};

}  // namespace minihost
