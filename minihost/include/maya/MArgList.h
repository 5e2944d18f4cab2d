#pragma once
// Arguments of one command call, as the script interpreter passed them.

#include <vector>

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MArgList {
 public:
  MArgList();
  MArgList(const MArgList& other);
  ~MArgList();
  MArgList& operator=(const MArgList& other);

  unsigned int length(MStatus* ReturnStatus = NULL) const;
  // Each reader fails (kInvalidParameter) for a missing argument or one of the wrong type.
  bool asBool(unsigned int index, MStatus* ReturnStatus = NULL) const;
  int asInt(unsigned int index, MStatus* ReturnStatus = NULL) const;
  double asDouble(unsigned int index, MStatus* ReturnStatus = NULL) const;
  MString asString(unsigned int index, MStatus* ReturnStatus = NULL) const;
  MStringArray asStringArray(unsigned int& index, MStatus* ReturnStatus = NULL) const;
  unsigned int flagIndex(const char* shortFlag, const char* longFlag = NULL) const;

  MStatus addArg(bool arg);
  MStatus addArg(int arg);
  MStatus addArg(double arg);
  MStatus addArg(const MString& arg);

  static const unsigned int kInvalidArgIndex;

 private:
  std::vector<MString> args_;
};

OPENMAYA_NAMESPACE_CLOSE
