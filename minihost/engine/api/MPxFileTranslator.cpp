#include <maya/MPxFileTranslator.h>

#include "engine/PluginRegistry.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

MPxFileTranslator::MPxFileTranslator() = default;
MPxFileTranslator::~MPxFileTranslator() = default;

MStatus MPxFileTranslator::reader(const MFileObject&, const MString&, FileAccessMode) {
  return MS::kFailure;
}
MStatus MPxFileTranslator::writer(const MFileObject&, const MString&, FileAccessMode) {
  return MS::kFailure;
}
bool MPxFileTranslator::haveReadMethod() const {
  return false;
}
bool MPxFileTranslator::haveWriteMethod() const {
  return false;
}
bool MPxFileTranslator::haveNamespaceSupport() const {
  return false;
}
bool MPxFileTranslator::haveReferenceMethod() const {
  return false;
}
MString MPxFileTranslator::defaultExtension() const {
  return MString();
}
MString MPxFileTranslator::filter() const {
  MString ext = defaultExtension();
  return ext.length() ? MString("*.") + ext : MString("*.*");
}
bool MPxFileTranslator::canBeOpened() const {
  return true;
}
MPxFileTranslator::MFileKind MPxFileTranslator::identifyFile(const MFileObject&, const char*,
                                                             short) const {
  return kNotMyFileType;
}
MPxFileTranslator::FileAccessMode MPxFileTranslator::fileAccessMode() {
  return minihost::PluginRegistry::get().accessMode();
}

OPENMAYA_NAMESPACE_CLOSE
