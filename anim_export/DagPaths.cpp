#include "anim_export/DagPaths.h"

#include <maya/MDagPath.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>

namespace {

// What a user selects is usually the transform (a click in the viewport selects it), so an
// object counts as selected when its own path or any transform above it is on the list.
bool isSelected(const MSelectionList& selection, MDagPath path) {
  while (path.length() > 0) {
    if (selection.hasItem(path, MObject::kNullObj))
      return true;
    if (!path.pop())
      break;
  }
  return false;
}

}  // namespace

void collectDagPaths(MDagPathArray& paths, MFn::Type type, MPxFileTranslator::FileAccessMode mode) {
  MSelectionList selection;
  MGlobal::getActiveSelectionList(selection);
  const bool selectedOnly = mode == MPxFileTranslator::kExportActiveAccessMode;
  for (MItDag it(MItDag::kBreadthFirst, type); !it.isDone(); it.next()) {
    MDagPath path;
    it.getPath(path);
    if (!selectedOnly || isSelected(selection, path))
      paths.append(path);
  }
}
