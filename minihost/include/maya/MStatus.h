#pragma once
// Result of a host call.

#include <cstdio>

#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MStatus {
 public:
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

  MStatus();
  MStatus(MStatusCode code);
  MStatus(const MStatus& other);
  MStatus& operator=(const MStatus& other);

  bool operator==(const MStatus& other) const;
  bool operator==(MStatusCode code) const;
  bool operator!=(const MStatus& other) const;
  bool operator!=(MStatusCode code) const;
  operator bool() const;

  bool error() const;
  void clear();
  MStatusCode statusCode() const;
  MString errorString() const;
  void perror(const char* text) const;
  void perror(const MString& text) const;

 private:
  MStatusCode code_;
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

OPENMAYA_NAMESPACE_CLOSE

// Status codes are spelled MS::kSuccess and so on.
typedef MStatus MS;
