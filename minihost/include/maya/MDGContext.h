#pragma once
// Evaluation context: the normal context evaluates at the current time,
// a timed context at its own time.

#include <maya/MTime.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MDGContext {
 public:
  MDGContext();
  MDGContext(const MTime& when);
  MDGContext(const MDGContext& other);
  ~MDGContext();

  MDGContext& operator=(const MDGContext& other);
  bool isNormal(MStatus* ReturnStatus = NULL) const;
  MStatus getTime(MTime& outTime) const;
  MTime getTime(MStatus* ReturnStatus = NULL) const;

  static MDGContext fsNormal;

 private:
  bool normal_;
  MTime time_;
};

OPENMAYA_NAMESPACE_CLOSE
