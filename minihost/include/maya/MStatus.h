#pragma once
// Result of a host call.

#include <maya/MTypes.h>

class MString;

namespace MS {
enum MStatusCode {
  kSuccess = 0,
  kFailure,
  kInsufficientMemory,
  kInvalidParameter,
  kLicenseFailure,
  kUnknownParameter,
  kNotImplemented,
  kNotFound,
  kEndOfFile
};
}

class OPENMAYA_EXPORT MStatus {
 public:
  enum MStatusCode {
    kSuccess = MS::kSuccess,
    kFailure = MS::kFailure,
    kInsufficientMemory = MS::kInsufficientMemory,
    kInvalidParameter = MS::kInvalidParameter,
    kLicenseFailure = MS::kLicenseFailure,
    kUnknownParameter = MS::kUnknownParameter,
    kNotImplemented = MS::kNotImplemented,
    kNotFound = MS::kNotFound,
    kEndOfFile = MS::kEndOfFile
  };

  MStatus();
  MStatus(MS::MStatusCode code);
  MStatus(const MStatus& other);
  MStatus& operator=(const MStatus& other);

  bool operator==(const MStatus& other) const;
  bool operator==(MS::MStatusCode code) const;
  bool operator!=(const MStatus& other) const;
  bool operator!=(MS::MStatusCode code) const;
  operator bool() const;

  bool error() const;
  void clear();
  MS::MStatusCode statusCode() const;
  MString errorString() const;
  void perror(const char* text) const;
  void perror(const MString& text) const;

 private:
  MS::MStatusCode code_;
};
