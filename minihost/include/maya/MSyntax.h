#pragma once
// Command syntax description. The stand-in host accepts syntax objects but parses
// no flags through them: commands read their raw argument lists.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MSyntax {
 public:
  enum MArgType {
    kInvalidArgType,
    kNoArg,
    kBoolean,
    kLong,
    kDouble,
    kString,
    kUnsigned,
    kDistance,
    kAngle,
    kTime,
    kSelectionItem,
    kLastArgType
  };

  MSyntax();
  MSyntax(const MSyntax& other);
  virtual ~MSyntax();
  MSyntax& operator=(const MSyntax& other);

  MStatus addFlag(const char* shortName, const char* longName, MArgType argType1 = kNoArg);
  MStatus addArg(MArgType arg);
  void useSelectionAsDefault(bool useSelection);
  MStatus enableQuery(bool supportsQuery = true);
  MStatus enableEdit(bool supportsEdit = true);

 private:
  int flagCount_ = 0;
};

OPENMAYA_NAMESPACE_CLOSE
