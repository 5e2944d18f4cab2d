#pragma once
// Result of a host call.

#include <cstdio>

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

// Report a failed status with its source position, optionally returning from the caller.
#define CHECK_MSTATUS(_status)                                                             \
  do {                                                                                     \
    MStatus _minihost_status = (_status);                                                  \
    if (_minihost_status != MS::kSuccess) {                                                \
      std::fprintf(stderr, "\nAPI error detected in %s at line %d\n", __FILE__, __LINE__); \
      _minihost_status.perror("");                                                         \
    }                                                                                      \
  } while (0)

#define CHECK_MSTATUS_AND_RETURN(_status, _retVal) \
  do {                                             \
    MStatus _minihost_returned = (_status);        \
    if (_minihost_returned != MS::kSuccess) {      \
      CHECK_MSTATUS(_minihost_returned);           \
      return (_retVal);                            \
    }                                              \
  } while (0)

#define CHECK_MSTATUS_AND_RETURN_IT(_status) CHECK_MSTATUS_AND_RETURN((_status), (_status))
