#include <maya/MFnBase.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

MFnBase::MFnBase() = default;
MFnBase::~MFnBase() = default;

MFn::Type MFnBase::type() const {
  return MFn::kBase;
}
bool MFnBase::hasObj(MFn::Type t) const {
  return t == type() || t == MFn::kBase;
}
bool MFnBase::hasObj(const MObject& object) const {
  return object.hasFn(type());
}

MObject MFnBase::object(MStatus* ReturnStatus) const {
  bool ok = attached(ReturnStatus);
  return ok ? object_ : MObject();
}

MStatus MFnBase::setObject(MObject& object) {
  return setObject(static_cast<const MObject&>(object));
}

MStatus MFnBase::setObject(const MObject& object) {
  if (!object.hasFn(type())) {
    object_ = MObject();
    return MS::kInvalidParameter;
  }
  object_ = object;
  return MS::kSuccess;
}

bool MFnBase::attached(MStatus* ReturnStatus) const {
  // A node deleted after attaching counts as detached: the handle is never followed.
  bool ok = !object_.isNull() && object_.hasFn(type());
  if (ReturnStatus)
    *ReturnStatus = ok ? MS::kSuccess : MS::kFailure;
  return ok;
}

const char* MFnBase::className() {
  return "MFnBase";
}

OPENMAYA_NAMESPACE_CLOSE
