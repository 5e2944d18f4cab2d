#pragma once

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

// The "VXR Animation" file translator (extension "vxranim"). It joins the module's two halves:
// its writer is the animation export, which captures the scene's cameras and lights over the
// render frame range into a file; its reader is the animation import, which loads such a file
// and hands it to the import script.
class AnimationTranslator : public MPxFileTranslator {
 public:
  static constexpr const char* kName = "VXR Animation";

  ~AnimationTranslator() override;

  MStatus reader(const MFileObject& file, const MString& optionsString,
                 FileAccessMode mode) override;
  MStatus writer(const MFileObject& file, const MString& optionsString,
                 FileAccessMode mode) override;
  bool haveReadMethod() const override;
  bool haveWriteMethod() const override;
  MString defaultExtension() const override;
  bool canBeOpened() const override;
  MFileKind identifyFile(const MFileObject& file, const char* buffer, short size) const override;

  static void* creator();
};
