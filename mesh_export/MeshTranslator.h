#pragma once

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

// The "VXR PolyMesh" file translator (extension "vxrmesh"). Exporting writes the selected polygon
// meshes into a mesh file; importing such a file is accepted and changes nothing, so the host can
// import it but never open it as a scene.
class MeshTranslator : public MPxFileTranslator {
 public:
  static constexpr const char* kName = "VXR PolyMesh";

  ~MeshTranslator() override;

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
