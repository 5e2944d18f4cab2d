#include "plugin/AnimationTranslator.h"

#include <new>

#include "anim_export/AnimationExport.h"
#include "anim_import/AnimationFileImport.h"
#include "anim_model/AnimationFileFormat.h"
#include "boundary/base/GIO.h"
#include "boundary/base/impstream.h"

AnimationTranslator::~AnimationTranslator() = default;

void* AnimationTranslator::creator() {
  return new (std::nothrow) AnimationTranslator();
}

MStatus AnimationTranslator::reader(const MFileObject& file, const MString& /*optionsString*/,
                                    FileAccessMode /*mode*/) {
  return importAnimation(file.expandedFullName());
}

MStatus AnimationTranslator::writer(const MFileObject& file, const MString& /*optionsString*/,
                                    FileAccessMode mode) {
  return exportAnimation(file.expandedFullName(), mode);
}

bool AnimationTranslator::haveReadMethod() const {
  return true;
}

bool AnimationTranslator::haveWriteMethod() const {
  return true;
}

MString AnimationTranslator::defaultExtension() const {
  return MString(kAnimationFileExtension);
}

bool AnimationTranslator::canBeOpened() const {
  return false;
}

MPxFileTranslator::MFileKind AnimationTranslator::identifyFile(const MFileObject& /*file*/,
                                                               const char* buffer,
                                                               short size) const {
  impstream header(buffer, buffer != nullptr ? static_cast<long>(size) : 0L, GIO::IORead);
  return isAnimationFile(header) ? kIsMyFileType : kNotMyFileType;
}
