#pragma once
// Generic handle to a host object. The stand-in host keeps it as a checked handle
// (node slot and generation), so a handle that outlives its node is recognised
// as dead instead of being followed.

#include <memory>
#include <vector>

#include <maya/MFn.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MObject {
 public:
  MObject();
  MObject(const MObject& other);
  MObject& operator=(const MObject& other);
  ~MObject();

  bool hasFn(MFn::Type type) const;
  // True for the null object and for a handle whose object no longer exists.
  bool isNull() const;
  MFn::Type apiType() const;
  const char* apiTypeStr() const;
  bool operator==(const MObject& other) const;
  bool operator!=(const MObject& other) const;

  static MObject kNullObj;

 private:
  friend class minihost::HandleAccess;
  enum class Kind { kNull, kNode, kComponent, kPlugin };
  Kind kind_ = Kind::kNull;
  unsigned int index_ = 0;
  unsigned int generation_ = 0;
  MFn::Type componentType_ = MFn::kInvalid;
  std::shared_ptr<const std::vector<int>> elements_;
};

OPENMAYA_NAMESPACE_CLOSE
