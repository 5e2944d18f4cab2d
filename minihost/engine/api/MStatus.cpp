#include <maya/MStatus.h>

#include <cstdio>

#include <maya/MString.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

MStatus::MStatus() : code_(MS::kSuccess) {}
MStatus::MStatus(MS::MStatusCode code) : code_(code) {}
MStatus::MStatus(const MStatus& other) = default;
MStatus& MStatus::operator=(const MStatus& other) = default;

bool MStatus::operator==(const MStatus& other) const {
  return code_ == other.code_;
}
bool MStatus::operator==(MS::MStatusCode code) const {
  return code_ == code;
}
bool MStatus::operator!=(const MStatus& other) const {
  return code_ != other.code_;
}
bool MStatus::operator!=(MS::MStatusCode code) const {
  return code_ != code;
}
MStatus::operator bool() const {
  return code_ == MS::kSuccess;
}

bool MStatus::error() const {
  return code_ != MS::kSuccess;
}
void MStatus::clear() {
  code_ = MS::kSuccess;
}
MS::MStatusCode MStatus::statusCode() const {
  return code_;
}

MString MStatus::errorString() const {
  switch (code_) {
    case MS::kSuccess:
      return "(kSuccess): No error";
    case MS::kFailure:
      return "(kFailure): Unexpected Internal Failure";
    case MS::kInsufficientMemory:
      return "(kInsufficientMemory): Insufficient Memory";
    case MS::kInvalidParameter:
      return "(kInvalidParameter): Object does not exist";
    case MS::kLicenseFailure:
      return "(kLicenseFailure): License failure";
    case MS::kUnknownParameter:
      return "(kUnknownParameter): Unknown parameter";
    case MS::kNotImplemented:
      return "(kNotImplemented): Not implemented";
    case MS::kNotFound:
      return "(kNotFound): Not found";
    case MS::kEndOfFile:
      return "(kEndOfFile): End of file";
  }
  return "(kFailure): Unexpected Internal Failure";
}

void MStatus::perror(const char* text) const {
  std::fprintf(stderr, "%s: %s\n", text ? text : "", errorString().asChar());
}

void MStatus::perror(const MString& text) const {
  perror(text.asChar());
}

OPENMAYA_NAMESPACE_CLOSE
