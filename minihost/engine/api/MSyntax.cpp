#include <maya/MSyntax.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

MSyntax::MSyntax() = default;
MSyntax::MSyntax(const MSyntax& other) = default;
MSyntax::~MSyntax() = default;
MSyntax& MSyntax::operator=(const MSyntax& other) = default;

MStatus MSyntax::addFlag(const char* shortName, const char* longName, MArgType) {
  if (!shortName || !longName)
    return MS::kInvalidParameter;
  ++flagCount_;
  return MS::kSuccess;
}
MStatus MSyntax::addArg(MArgType) {
  return MS::kSuccess;
}
void MSyntax::useSelectionAsDefault(bool) {}
MStatus MSyntax::enableQuery(bool) {
  return MS::kSuccess;
}
MStatus MSyntax::enableEdit(bool) {
  return MS::kSuccess;
}

OPENMAYA_NAMESPACE_CLOSE
