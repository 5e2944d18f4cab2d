#pragma once
// Iterator over a selection list, optionally yielding only items of one type.
// A selected transform counts as the type of a shape directly below it.

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MItSelectionList {
 public:
  enum selItemType {
    kUnknownItem = -1,
    kDagSelectionItem,
    kAnimSelectionItem,
    kDNselectionItem,
    kPlugSelectionItem
  };

  MItSelectionList(const MSelectionList& list, MFn::Type filter = MFn::kInvalid,
                   MStatus* ReturnStatus = NULL);
  virtual ~MItSelectionList();

  bool isDone(MStatus* ReturnStatus = NULL);
  MStatus next();
  MStatus reset();
  MStatus setFilter(MFn::Type filter);
  MStatus getDependNode(MObject& depNode);
  MStatus getDagPath(MDagPath& dagPath, MObject& component);
  MStatus getDagPath(MDagPath& dagPath);
  MStatus getStrings(MStringArray& array);
  selItemType itemType(MStatus* ReturnStatus = NULL);
  bool hasComponents(MStatus* ReturnStatus = NULL) const;

 private:
  MItSelectionList(const MItSelectionList&) = delete;
  MItSelectionList& operator=(const MItSelectionList&) = delete;
  bool matches(unsigned int index) const;
  void skipToMatch();

  MSelectionList list_;
  MFn::Type filter_;
  unsigned int position_ = 0;
};

OPENMAYA_NAMESPACE_CLOSE
