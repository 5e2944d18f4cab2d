#pragma once

#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <cstdint>

#include "anim_import/AppliedState.h"
#include "anim_import/DocumentRegistry.h"

// VXR_AnimationImportCmd: the command through which the import script walks a loaded
// animation document. One call does at most one action (the last action option given) on the
// document named by "-id", with the track and key chosen by index options. Track indices count
// only tracks that hold keys.
class AnimationImportCommand : public MPxCommand {
 public:
  static constexpr const char* kName = "VXR_AnimationImportCmd";

  AnimationImportCommand();
  ~AnimationImportCommand() override;

  MStatus doIt(const MArgList& args) override;
  // A call that applied a key ("-setinfo") changed the scene and is undoable: undoIt puts back
  // the values it replaced, redoIt the values it set (also once the document is closed).
  // Every other action only reads and is not.
  bool isUndoable() const override;
  MStatus undoIt() override;
  MStatus redoIt() override;

  static void* creator();

 private:
  enum class Action {
    kNone,
    kCameras,
    kLights,
    kKeyframes,
    kGetTime,
    kGetName,
    kGetType,
    kSetInfo,
    kClose,
    kOpen
  };

  void reset();
  // Reads the options; the chosen action is the last action option given.
  Action parse(const MArgList& args);
  void run(Action action, const DocumentRegistry::Entry* entry);

  VXRAnimation_Camera* findCameraTrack(const DocumentRegistry::Entry& entry);
  VXRAnimation_Light* findLightTrack(const DocumentRegistry::Entry& entry);
  const CameraKey* findCameraKey(const DocumentRegistry::Entry& entry);
  const LightKey* findLightKey(const DocumentRegistry::Entry& entry);
  void fail(const char* format, std::int32_t value);
  // Fails the call for a key that cannot be applied, saying why.
  void failUnusableKey(const char* format, const char* fault);

  void openFile();
  void setInfo(const DocumentRegistry::Entry& entry);
  // Sets the light shape by the key's type; a shape of another kind fails `status`.
  void applyLightKey(const MObject& shape, const LightKey& key);

  MStatus status;
  std::int32_t documentHandle = 0;
  std::int32_t cameraId = -1;
  std::int32_t lightId = -1;
  std::int32_t keyframeId = -1;
  MString cameraPath;
  MString lightPath;
  MString openFileName;
  bool openRequested = false;
  bool applied = false;
  AppliedState before;
  AppliedState after;
};
