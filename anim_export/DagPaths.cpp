#include "anim_export/DagPaths.h"

#include <maya/MDagPath.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>

void collectDagPaths(MDagPathArray& paths, MFn::Type type, MPxFileTranslator::FileAccessMode mode) {
  MSelectionList selection;
  MGlobal::getActiveSelectionList(selection);
  const bool selectedOnly = mode == MPxFileTranslator::kExportActiveAccessMode;
  for (MItDag it(MItDag::kBreadthFirst, type); !it.isDone(); it.next()) {
    MDagPath path;
    it.getPath(path);
    if (!selectedOnly || selection.hasItem(path, MObject::kNullObj))
      paths.append(path);
  }
}
