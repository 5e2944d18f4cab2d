// select: nodes by name, path or pattern, and mesh components ("box1.f[2]", "box1.vtx[0:3]"),
// with the replace, add, add-first, deselect, toggle and clear modes.

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include "engine/Handles.h"
#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

using minihost::HandleAccess;
using minihost::NodeRef;

namespace {

// Adds one item of `from` to `to`. A component joins an item of the same mesh and kind already
// there, as the host merges "box.f[1]" and "box.f[2]" into one item, so that a mesh is never
// listed twice; a whole node is added once.
void addItem(MSelectionList& to, const MSelectionList& from, unsigned int i) {
  const MObject& component = HandleAccess::selectionComponent(from, i);
  if (!component.isNull()) {
    MDagPath path;
    if (from.getDagPath(i, path))
      to.add(path, component, true);
    return;
  }
  MSelectionList one;
  HandleAccess::selectionAppend(one, HandleAccess::selectionNode(from, i), MObject::kNullObj);
  to.merge(one);
}

void addItems(MSelectionList& to, const MSelectionList& from) {
  for (unsigned int i = 0; i < HandleAccess::selectionLength(from); ++i)
    addItem(to, from, i);
}

// What the names name, in order and each once. A name with a dot is a component of a mesh (a
// node name never holds one); one the batch host does not know (an edge, an attribute) is an
// error rather than a selection of nothing.
bool namedItems(CommandCall& call, const std::vector<Value>& names, MSelectionList& out) {
  for (const Value& v : names) {
    for (const std::string& pattern : v.asStringArray()) {
      MSelectionList one;
      if (pattern.find('.') != std::string::npos) {
        if (!one.add(MString(pattern.c_str())))
          return call.fail("No object or component matches name: " + pattern +
                           " (the batch host selects faces \".f[...]\" and vertices "
                           "\".vtx[...]\" of meshes)");
      } else if (pattern.find_first_of("*?[") != std::string::npos) {
        for (NodeRef ref : scene().nodesMatching(pattern))
          HandleAccess::selectionAppend(one, HandleAccess::nodeObject(ref), MObject::kNullObj);
      } else {
        NodeRef ref;
        if (!findNode(call, pattern, ref))
          return false;
        HandleAccess::selectionAppend(one, HandleAccess::nodeObject(ref), MObject::kNullObj);
      }
      addItems(out, one);
    }
  }
  return true;
}

bool cmdSelect(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"r", "replace", 0},
                    {"add", "add", 0},
                    {"af", "addFirst", 0},
                    {"d", "deselect", 0},
                    {"cl", "clear", 0},
                    {"tgl", "toggle", 0},
                    {"ne", "noExpand", 0}},
                   false)) {
    return false;
  }
  MSelectionList& active = scene().activeSelection();
  if (flags.has("clear")) {
    active.clear();
    return true;
  }
  MSelectionList named;
  if (!namedItems(call, flags.positional, named))
    return false;
  if (flags.has("deselect")) {
    active.merge(named, MSelectionList::kRemoveFromList);
  } else if (flags.has("toggle")) {
    active.merge(named, MSelectionList::kXORWithList);
  } else if (flags.has("addFirst")) {
    addItems(named, active);
    active = named;
  } else if (flags.has("add")) {
    addItems(active, named);
  } else {
    active = named;
  }
  return true;
}

}  // namespace

void registerSelectCommand(Interpreter& interp) {
  interp.commands().set("select", cmdSelect);
}

}  // namespace mel::host
