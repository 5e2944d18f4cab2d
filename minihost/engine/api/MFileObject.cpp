#include <maya/MFileObject.h>

#include <sys/stat.h>

#include <string>

OPENMAYA_MAJOR_NAMESPACE_OPEN

MFileObject::MFileObject() = default;
MFileObject::MFileObject(const MFileObject& other) = default;
MFileObject::~MFileObject() = default;
MFileObject& MFileObject::operator=(const MFileObject& other) = default;

MStatus MFileObject::setRawName(const MString& fileName) {
  name_ = fileName;
  return MS::kSuccess;
}

MStatus MFileObject::setRawPath(const MString& pathName) {
  std::string p = pathName.asChar();
  if (!p.empty() && p.back() != '/')
    p += '/';
  path_ = p.c_str();
  return MS::kSuccess;
}

MStatus MFileObject::setRawFullName(const MString& fullFileName) {
  std::string full = fullFileName.asChar();
  size_t slash = full.find_last_of('/');
  if (slash == std::string::npos) {
    path_ = "";
    name_ = full.c_str();
  } else {
    path_ = full.substr(0, slash + 1).c_str();
    name_ = full.substr(slash + 1).c_str();
  }
  return MS::kSuccess;
}

MStatus MFileObject::setFullName(const MString& fullFileName) {
  return setRawFullName(fullFileName);
}

MString MFileObject::rawName() const {
  return name_;
}
MString MFileObject::rawPath() const {
  return path_;
}
MString MFileObject::rawFullName() const {
  return path_ + name_;
}
MString MFileObject::name() const {
  return name_;
}
MString MFileObject::path() const {
  return path_;
}
MString MFileObject::fullName() const {
  return path_ + name_;
}
MString MFileObject::expandedPath() const {
  return path_;
}
MString MFileObject::expandedFullName() const {
  return path_ + name_;
}
MString MFileObject::resolvedName() const {
  return name_;
}
MString MFileObject::resolvedPath() const {
  return path_;
}
MString MFileObject::resolvedFullName() const {
  return path_ + name_;
}

bool MFileObject::exists() const {
  struct stat info;
  return stat(resolvedFullName().asChar(), &info) == 0;
}

OPENMAYA_NAMESPACE_CLOSE
