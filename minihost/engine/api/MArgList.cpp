#include <maya/MArgList.h>

#include <limits>

#include <maya/MStringArray.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

const unsigned int MArgList::kInvalidArgIndex = std::numeric_limits<unsigned int>::max();

MArgList::MArgList() = default;
MArgList::MArgList(const MArgList& other) = default;
MArgList::~MArgList() = default;
MArgList& MArgList::operator=(const MArgList& other) = default;

unsigned int MArgList::length(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return static_cast<unsigned int>(args_.size());
}

bool MArgList::asBool(unsigned int index, MStatus* ReturnStatus) const {
  if (index < args_.size()) {
    const MString& a = args_[index];
    if (a == "true" || a == "on" || a == "yes" || a == "1") {
      if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
      return true;
    }
    if (a == "false" || a == "off" || a == "no" || a == "0") {
      if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
      return false;
    }
  }
  if (ReturnStatus)
    *ReturnStatus = MS::kInvalidParameter;
  return false;
}

int MArgList::asInt(unsigned int index, MStatus* ReturnStatus) const {
  bool ok = index < args_.size() && args_[index].isInt();
  if (ReturnStatus)
    *ReturnStatus = ok ? MS::kSuccess : MS::kInvalidParameter;
  return ok ? args_[index].asInt() : 0;
}

double MArgList::asDouble(unsigned int index, MStatus* ReturnStatus) const {
  bool ok = index < args_.size() && args_[index].isDouble();
  if (ReturnStatus)
    *ReturnStatus = ok ? MS::kSuccess : MS::kInvalidParameter;
  return ok ? args_[index].asDouble() : 0.0;
}

MString MArgList::asString(unsigned int index, MStatus* ReturnStatus) const {
  bool ok = index < args_.size();
  if (ReturnStatus)
    *ReturnStatus = ok ? MS::kSuccess : MS::kInvalidParameter;
  return ok ? args_[index] : MString();
}

MStringArray MArgList::asStringArray(unsigned int& index, MStatus* ReturnStatus) const {
  MStringArray out;
  bool ok = index < args_.size();
  if (ok) {
    args_[index].split(' ', out);
    ++index;
  }
  if (ReturnStatus)
    *ReturnStatus = ok ? MS::kSuccess : MS::kInvalidParameter;
  return out;
}

unsigned int MArgList::flagIndex(const char* shortFlag, const char* longFlag) const {
  for (unsigned int i = 0; i < args_.size(); ++i) {
    const MString& a = args_[i];
    if (a.length() < 2 || a.asChar()[0] != '-')
      continue;
    const char* flag = a.asChar() + 1;
    if ((shortFlag && MString(flag) == shortFlag) || (longFlag && MString(flag) == longFlag)) {
      return i;
    }
  }
  return kInvalidArgIndex;
}

MStatus MArgList::addArg(bool arg) {
  args_.push_back(MString(arg ? "true" : "false"));
  return MS::kSuccess;
}

MStatus MArgList::addArg(int arg) {
  MString s;
  s += arg;
  args_.push_back(s);
  return MS::kSuccess;
}

MStatus MArgList::addArg(double arg) {
  MString s;
  s.set(arg);
  args_.push_back(s);
  return MS::kSuccess;
}

MStatus MArgList::addArg(const MString& arg) {
  args_.push_back(arg);
  return MS::kSuccess;
}

OPENMAYA_NAMESPACE_CLOSE
