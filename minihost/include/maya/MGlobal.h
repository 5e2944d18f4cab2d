#pragma once
// Process-wide host services: commands, script sourcing, messages, selection, up axis.

#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MGlobal {
 public:
  enum ListAdjustment { kReplaceList, kXORWithList, kAddToList, kRemoveFromList, kAddToHeadOfList };
  enum MMayaState { kInteractive, kBatch, kLibraryApp, kBaseUIMode };

  static MMayaState mayaState(MStatus* ReturnStatus = NULL);
  static int apiVersion();

  // Runs script text through the host's script interpreter.
  static MStatus executeCommand(const MString& command, bool displayEnabled = false,
                                bool undoEnabled = false);
  static MStatus executeCommand(const MString& command, MString& result,
                                bool displayEnabled = false, bool undoEnabled = false);
  static MStatus sourceFile(const MString& fileName);

  static void displayInfo(const MString& theMessage);
  static void displayWarning(const MString& theWarning, bool showLineNumber = false);
  static void displayError(const MString& theError, bool showLineNumber = false);

  static MStatus getActiveSelectionList(MSelectionList& dest,
                                        bool orderedSelectionIfAvailable = false);
  static MStatus setActiveSelectionList(const MSelectionList& src,
                                        ListAdjustment listAdjustment = kReplaceList);
  static MStatus selectByName(const MString& name, ListAdjustment listAdjustment = kAddToList);
  static MStatus getSelectionListByName(const MString& name, MSelectionList& list);
  static MStatus clearSelectionList();

  static bool isYAxisUp(MStatus* ReturnStatus = NULL);
  static bool isZAxisUp(MStatus* ReturnStatus = NULL);
  static MVector upAxis(MStatus* ReturnStatus = NULL);
  static MStatus setYAxisUp(bool rotateView = false);
  static MStatus setZAxisUp(bool rotateView = false);
};

OPENMAYA_NAMESPACE_CLOSE
