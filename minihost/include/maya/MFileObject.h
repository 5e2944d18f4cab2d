#pragma once
// A file name as the host hands it to translators.

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFileObject {
 public:
  MFileObject();
  MFileObject(const MFileObject& other);
  virtual ~MFileObject();
  MFileObject& operator=(const MFileObject& other);

  MStatus setRawName(const MString& fileName);
  MStatus setRawPath(const MString& pathName);
  MStatus setRawFullName(const MString& fullFileName);
  OPENMAYA_DEPRECATED(2019, "Use setRawFullName().")
  MStatus setFullName(const MString& fullFileName);
  MString rawName() const;
  MString rawPath() const;
  MString rawFullName() const;
  MString name() const;
  // The raw names with environment variables expanded; the stand-in host expands none.
  MString expandedPath() const;
  MString expandedFullName() const;
  OPENMAYA_DEPRECATED(2019, "Use expandedPath() or resolvedPath().")
  MString path() const;
  // Directory and file name joined.
  OPENMAYA_DEPRECATED(2019, "Use expandedFullName() or resolvedFullName().")
  MString fullName() const;
  MString resolvedName() const;
  MString resolvedPath() const;
  MString resolvedFullName() const;
  bool exists() const;

 private:
  MString path_;  // directory with its trailing '/', or empty
  MString name_;
};

OPENMAYA_NAMESPACE_CLOSE
