#include <maya/MGlobal.h>

#include <maya/MVector.h>

#include <unistd.h>

#include <cstring>
#include <new>

#include "engine/Handles.h"
#include "engine/Scene.h"
#include "engine/ScriptHost.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::Scene;
using minihost::scriptHost;

MGlobal::MMayaState MGlobal::mayaState(MStatus* ReturnStatus) {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  const minihost::ScriptHost* host = scriptHost();
  return host != nullptr && host->interactiveSession() ? kInteractive : kBatch;
}

int MGlobal::apiVersion() {
  return MAYA_API_VERSION;
}

MStatus MGlobal::executeCommand(const MString& command, bool displayEnabled, bool undoEnabled) {
  minihost::ScriptHost* host = scriptHost();
  if (!host)
    return MS::kFailure;
  return host->executeCommand(command.asChar(), nullptr, displayEnabled, undoEnabled)
             ? MS::kSuccess
             : MS::kFailure;
}

MStatus MGlobal::executeCommand(const MString& command, MString& result, bool displayEnabled,
                                bool undoEnabled) {
  minihost::ScriptHost* host = scriptHost();
  if (!host)
    return MS::kFailure;
  std::string text;
  bool ok = host->executeCommand(command.asChar(), &text, displayEnabled, undoEnabled);
  result = text.c_str();
  return ok ? MS::kSuccess : MS::kFailure;
}

MStatus MGlobal::sourceFile(const MString& fileName) {
  minihost::ScriptHost* host = scriptHost();
  if (!host)
    return MS::kFailure;
  return host->sourceFile(fileName.asChar()) ? MS::kSuccess : MS::kFailure;
}

namespace {

// The host's messages never throw into the caller: a plug-in reports running out of memory
// through them, when the script layer's own formatting may itself fail to allocate. Then the
// text goes to standard error as it is, without allocating.
template <class Show>
void showSafely(const char* prefix, const MString& text, Show show) {
  try {
    show();
  } catch (const std::bad_alloc&) {
    const char* message = text.asChar();
    (void)!::write(2, prefix, std::strlen(prefix));
    (void)!::write(2, message, std::strlen(message));
    (void)!::write(2, "\n", 1);
  }
}

}  // namespace

void MGlobal::displayInfo(const MString& theMessage) {
  showSafely("", theMessage, [&] {
    if (minihost::ScriptHost* host = scriptHost()) {
      host->displayInfo(theMessage.asChar());
    } else {
      minihost::printInfo(theMessage.asChar());
    }
  });
}

void MGlobal::displayWarning(const MString& theWarning, bool) {
  showSafely("// Warning: ", theWarning, [&] {
    if (minihost::ScriptHost* host = scriptHost()) {
      host->displayWarning(theWarning.asChar());
    } else {
      minihost::printWarning(theWarning.asChar());
    }
  });
}

void MGlobal::displayError(const MString& theError, bool) {
  showSafely("// Error: ", theError, [&] {
    if (minihost::ScriptHost* host = scriptHost()) {
      host->displayError(theError.asChar());
    } else {
      minihost::printError(theError.asChar());
    }
  });
}

MStatus MGlobal::getActiveSelectionList(MSelectionList& dest, bool) {
  dest.clear();
  const MSelectionList& active = Scene::get().activeSelection();
  for (unsigned int i = 0; i < active.length(); ++i) {
    const MObject& node = minihost::HandleAccess::selectionNode(active, i);
    if (!node.isNull()) {
      minihost::HandleAccess::selectionAppend(
          dest, node, minihost::HandleAccess::selectionComponent(active, i));
    }
  }
  return MS::kSuccess;
}

MStatus MGlobal::setActiveSelectionList(const MSelectionList& src, ListAdjustment adjustment) {
  MSelectionList& active = Scene::get().activeSelection();
  switch (adjustment) {
    case kReplaceList:
      active = src;
      return MS::kSuccess;
    case kAddToList:
      return active.merge(src, MSelectionList::kMergeNormal);
    case kXORWithList:
      return active.merge(src, MSelectionList::kXORWithList);
    case kRemoveFromList:
      return active.merge(src, MSelectionList::kRemoveFromList);
    case kAddToHeadOfList: {
      MSelectionList merged = src;
      merged.merge(active, MSelectionList::kMergeNormal);
      active = merged;
      return MS::kSuccess;
    }
  }
  return MS::kInvalidParameter;
}

MStatus MGlobal::selectByName(const MString& name, ListAdjustment adjustment) {
  MSelectionList list;
  MStatus s = list.add(name);
  if (!s)
    return s;
  return setActiveSelectionList(list, adjustment);
}

MStatus MGlobal::getSelectionListByName(const MString& name, MSelectionList& list) {
  list.clear();
  return list.add(name);
}

MStatus MGlobal::clearSelectionList() {
  return Scene::get().activeSelection().clear();
}

bool MGlobal::isYAxisUp(MStatus* ReturnStatus) {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return !Scene::get().upAxisIsZ();
}

bool MGlobal::isZAxisUp(MStatus* ReturnStatus) {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return Scene::get().upAxisIsZ();
}

MVector MGlobal::upAxis(MStatus* ReturnStatus) {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return Scene::get().upAxisIsZ() ? MVector::zAxis : MVector::yAxis;
}

MStatus MGlobal::setYAxisUp(bool) {
  Scene::get().setUpAxisZ(false);
  return MS::kSuccess;
}

MStatus MGlobal::setZAxisUp(bool) {
  Scene::get().setUpAxisZ(true);
  return MS::kSuccess;
}

OPENMAYA_NAMESPACE_CLOSE
