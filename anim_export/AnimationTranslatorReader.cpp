// The import replaces this file; until then the translator refuses to read.
#include "anim_export/AnimationTranslator.h"

MStatus AnimationTranslator::reader(const MFileObject&, const MString&, FileAccessMode) {
  return MStatus(MS::kFailure);
}

MPxFileTranslator::MFileKind AnimationTranslator::identifyFile(const MFileObject&, const char*,
                                                               short) const {
  return kNotMyFileType;
}
