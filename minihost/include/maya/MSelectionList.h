#pragma once
// An ordered list of nodes, DAG paths and components.

#include <vector>

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MSelectionList {
 public:
  enum MergeStrategy { kMergeNormal = 0, kXORWithList, kRemoveFromList };

  MSelectionList();
  MSelectionList(const MSelectionList& src);
  virtual ~MSelectionList();
  MSelectionList& operator=(const MSelectionList& other);

  MStatus clear();
  bool isEmpty(MStatus* ReturnStatus = NULL) const;
  unsigned int length(MStatus* ReturnStatus = NULL) const;

  MStatus add(const MObject& object, const bool mergeWithExisting = false);
  MStatus add(const MDagPath& object, const MObject& component = MObject::kNullObj,
              const bool mergeWithExisting = false);
  // Adds the objects a name matches: a node name, a full or partial DAG path, a
  // pattern with '*' and '?', or a component such as "pCube1.f[3]" or "pCube1.vtx[0:7]".
  // Fails with kInvalidParameter and leaves the list unchanged when nothing matches.
  MStatus add(const MString& matchString, const bool searchChildNamespacesToo = false);
  MStatus remove(unsigned int index);
  MStatus merge(const MSelectionList& other, const MergeStrategy strategy = kMergeNormal);

  MStatus getDependNode(unsigned int index, MObject& depNode) const;
  MStatus getDagPath(unsigned int index, MDagPath& dagPath,
                     MObject& component = MObject::kNullObj) const;
  MStatus getSelectionStrings(MStringArray& array) const;
  MStatus getSelectionStrings(unsigned int index, MStringArray& array) const;

  // Whether the list holds the object; for a DAG path with the null component, the
  // node itself (any or no component of it).
  bool hasItem(const MObject& item, MStatus* ReturnStatus = NULL) const;
  bool hasItem(const MDagPath& item, const MObject& component = MObject::kNullObj,
               MStatus* ReturnStatus = NULL) const;

 private:
  friend class minihost::HandleAccess;
  struct Item {
    MObject node;
    MObject component;
  };
  std::vector<Item> items_;
};

OPENMAYA_NAMESPACE_CLOSE
