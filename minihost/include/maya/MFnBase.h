#pragma once
// Base of every function set. A function set attaches only to objects of its
// own kind; attaching to anything else fails and leaves the set unattached.

#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnBase {
 public:
  MFnBase();
  virtual ~MFnBase();

  virtual MFn::Type type() const;
  bool hasObj(MFn::Type type) const;
  bool hasObj(const MObject& object) const;
  MObject object(MStatus* ReturnStatus = NULL) const;
  virtual MStatus setObject(MObject& object);
  virtual MStatus setObject(const MObject& object);

  static const char* className();

 protected:
  // The attached object when it is still alive, otherwise null (and status kFailure).
  bool attached(MStatus* ReturnStatus) const;
  MObject object_;

 private:
  MFnBase(const MFnBase&) = delete;
  MFnBase& operator=(const MFnBase&) = delete;
};

OPENMAYA_NAMESPACE_CLOSE
