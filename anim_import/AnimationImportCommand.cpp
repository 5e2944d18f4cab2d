#include "anim_import/AnimationImportCommand.h"

#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDirectionalLight.h>
#include <maya/MFnPointLight.h>
#include <maya/MFnSpotLight.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>

#include <cstring>
#include <new>

#include "anim_import/AnimationFileReading.h"
#include "anim_import/ImportMessages.h"
#include "anim_import/KeyApplication.h"
#include "anim_model/KeyValidity.h"
#include "boundary/base/GString.h"

namespace {

template <class Track>
Track* trackAt(const std::vector<Track*>& tracksWithKeys, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= tracksWithKeys.size())
    return nullptr;
  return tracksWithKeys[static_cast<std::size_t>(index)];
}

// A track name as the script receives it. Host strings end at a NUL byte, so a name holding one
// would reach the script as its prefix and could name an existing node ("|persp|perspShape" of
// "|persp|perspShape\0evil"). Each NUL becomes U+FFFD instead: the name keeps its whole
// length, and no node name can hold that character, so such a track always gets a new node.
MString hostTrackName(const GString& name) {
  if (std::memchr(name.data(), '\0', name.length()) == nullptr)
    return MString(name.data(), static_cast<int>(name.length()));
  GString text;
  text.reserve(name.length() + 16);
  for (std::size_t i = 0; i < name.length(); ++i) {
    if (name.data()[i] == '\0')
      text += "\xEF\xBF\xBD";
    else
      text += name.data()[i];
  }
  return MString(text.data(), static_cast<int>(text.length()));
}

}  // namespace

AnimationImportCommand::AnimationImportCommand() {
  setCommandString(MString(kName));
}

AnimationImportCommand::~AnimationImportCommand() = default;

void* AnimationImportCommand::creator() {
  return new (std::nothrow) AnimationImportCommand();
}

void AnimationImportCommand::reset() {
  status = MStatus(MS::kSuccess);
  documentHandle = 0;
  cameraId = -1;
  lightId = -1;
  keyframeId = -1;
  cameraPath = MString();
  lightPath = MString();
  openFileName = MString();
  openRequested = false;
  applied = false;
}

MStatus AnimationImportCommand::doIt(const MArgList& args) {
  reset();
  const Action action = parse(args);
  if (!status || action == Action::kNone || (documentHandle == 0 && !openRequested))
    return status;
  if (action == Action::kOpen) {
    openFile();
    return status;
  }
  const DocumentRegistry::Entry* entry = DocumentRegistry::instance().resolve(documentHandle);
  if (entry == nullptr) {
    status = MStatus(MS::kFailure);
    return status;
  }
  run(action, entry);
  return status;
}

AnimationImportCommand::Action AnimationImportCommand::parse(const MArgList& args) {
  Action action = Action::kNone;
  for (unsigned i = 0; i < args.length(); ++i) {
    if (!status)
      return Action::kNone;
    const MString option = args.asString(i, &status);
    if (!status)
      break;
    if (option == "-id") {
      documentHandle = args.asInt(++i, &status);
    } else if (option == "-cameraid") {
      cameraId = args.asInt(++i, &status);
    } else if (option == "-lightid") {
      lightId = args.asInt(++i, &status);
    } else if (option == "-keyframe") {
      keyframeId = args.asInt(++i, &status);
    } else if (option == "-camerapath") {
      cameraPath = args.asString(++i, &status);
    } else if (option == "-lightpath") {
      lightPath = args.asString(++i, &status);
    } else if (option == "-cameras") {
      action = Action::kCameras;
    } else if (option == "-lights") {
      action = Action::kLights;
    } else if (option == "-keyframes") {
      action = Action::kKeyframes;
    } else if (option == "-gettime") {
      action = Action::kGetTime;
    } else if (option == "-getname") {
      action = Action::kGetName;
    } else if (option == "-gettype") {
      action = Action::kGetType;
    } else if (option == "-setinfo") {
      action = Action::kSetInfo;
    } else if (option == "-close") {
      action = Action::kClose;
    } else if (option == "-open") {
      openRequested = true;
      openFileName = args.asString(++i, &status);
      action = Action::kOpen;
    } else {
      status = MStatus(MS::kFailure);
      status.perror(MString(importMessages::kUnrecognizedOption) + option);
    }
  }
  return status ? action : Action::kNone;
}

void AnimationImportCommand::run(Action action, const DocumentRegistry::Entry* entry) {
  switch (action) {
    case Action::kCameras:
      setResult(static_cast<int>(entry->camerasWithKeys.size()));
      break;
    case Action::kLights:
      setResult(static_cast<int>(entry->lightsWithKeys.size()));
      break;
    case Action::kKeyframes: {
      const VXRAnimation_Camera* camera = findCameraTrack(*entry);
      const VXRAnimation_Light* light = findLightTrack(*entry);
      setResult(camera ? camera->keyCount() : light ? light->keyCount() : -1);
      break;
    }
    case Action::kGetTime: {
      const CameraKey* cameraKey = findCameraKey(*entry);
      const LightKey* lightKey = findLightKey(*entry);
      setResult(cameraKey  ? static_cast<int>(cameraKey->frame)
                : lightKey ? static_cast<int>(lightKey->frame)
                           : -1);
      break;
    }
    case Action::kGetName: {
      const VXRAnimation_Camera* camera = findCameraTrack(*entry);
      const VXRAnimation_Light* light = findLightTrack(*entry);
      const GString* name = camera ? &camera->name : light ? &light->name : nullptr;
      setResult(name ? hostTrackName(*name) : MString());
      break;
    }
    case Action::kGetType: {
      // The first key's type, whatever "-keyframe" says.
      const VXRAnimation_Light* light = findLightTrack(*entry);
      const LightKey* first = light ? light->key(0) : nullptr;
      setResult(first ? static_cast<int>(first->type) : -1);
      break;
    }
    case Action::kSetInfo:
      setInfo(*entry);
      break;
    case Action::kClose:
      DocumentRegistry::instance().close(documentHandle);
      break;
    case Action::kNone:
    case Action::kOpen:
      break;
  }
}

void AnimationImportCommand::fail(const char* format, std::int32_t value) {
  status = MStatus(MS::kFailure);
  status.perror(MString(GString::Format(format, static_cast<int>(value)).c_str()));
}

void AnimationImportCommand::failUnusableKey(const char* format, const char* fault) {
  GString text = GString::Format(format, static_cast<int>(keyframeId));
  text += ": the key ";
  text += fault;
  status = MStatus(MS::kFailure);
  status.perror(MString(text.c_str()));
}

VXRAnimation_Camera* AnimationImportCommand::findCameraTrack(const DocumentRegistry::Entry& e) {
  if (VXRAnimation_Camera* track = trackAt(e.camerasWithKeys, cameraId))
    return track;
  // A caller after a light gives a light index and no camera index: stay silent then.
  if (lightId < 0)
    fail(importMessages::kInvalidCameraId, cameraId);
  return nullptr;
}

VXRAnimation_Light* AnimationImportCommand::findLightTrack(const DocumentRegistry::Entry& e) {
  if (VXRAnimation_Light* track = trackAt(e.lightsWithKeys, lightId))
    return track;
  if (cameraId < 0)
    fail(importMessages::kInvalidLightId, lightId);
  return nullptr;
}

const CameraKey* AnimationImportCommand::findCameraKey(const DocumentRegistry::Entry& e) {
  const VXRAnimation_Camera* track = findCameraTrack(e);
  if (track == nullptr)
    return nullptr;
  if (const CameraKey* key = track->key(keyframeId))
    return key;
  fail(importMessages::kInvalidKeyframeId, keyframeId);
  return nullptr;
}

const LightKey* AnimationImportCommand::findLightKey(const DocumentRegistry::Entry& e) {
  const VXRAnimation_Light* track = findLightTrack(e);
  if (track == nullptr)
    return nullptr;
  if (const LightKey* key = track->key(keyframeId))
    return key;
  fail(importMessages::kInvalidKeyframeId, keyframeId);
  return nullptr;
}

void AnimationImportCommand::openFile() {
  const AnimationReadResult result = readAnimationFile(openFileName);
  if (result.outcome == AnimationReadOutcome::kLoaded) {
    documentHandle = result.handle;
    setResult(static_cast<int>(result.handle));
  } else {
    setResult(0);
  }
}

bool AnimationImportCommand::isUndoable() const {
  return applied;
}

MStatus AnimationImportCommand::undoIt() {
  before.restore();
  return MStatus(MS::kSuccess);
}

MStatus AnimationImportCommand::redoIt() {
  after.restore();
  return MStatus(MS::kSuccess);
}

void AnimationImportCommand::setInfo(const DocumentRegistry::Entry& entry) {
  const CameraKey* cameraKey = findCameraKey(entry);
  const LightKey* lightKey = findLightKey(entry);
  if ((cameraKey == nullptr && lightKey == nullptr) || !status)
    return;

  // The path names the transform; the shape to set is its first child.
  MSelectionList list;
  list.add(cameraKey ? cameraPath : lightPath);
  MObject transformNode;
  status = list.getDependNode(0, transformNode);
  if (!status)
    return;
  MFnDagNode transform(transformNode, &status);
  if (!status)
    return;
  MObject shape = transform.child(0);

  if (cameraKey != nullptr) {
    MFnCamera camera(shape, &status);
    if (!status)
      return;
    if (const char* fault = cameraKeyFault(*cameraKey)) {
      failUnusableKey(importMessages::kInvalidCameraData, fault);
      return;
    }
    before.capture(transformNode, shape);
    applyCameraKey(camera, *cameraKey);
    after.capture(transformNode, shape);
    applied = true;
    return;
  }

  if (lightKey->type < LightKey::kDirectional || lightKey->type > LightKey::kSpot)
    return;
  if (const char* fault = lightKeyFault(*lightKey)) {
    failUnusableKey(importMessages::kInvalidLightData, fault);
    return;
  }
  before.capture(transformNode, shape);
  applyLightKey(shape, *lightKey);
  if (!status)
    return;
  after.capture(transformNode, shape);
  applied = true;
}

void AnimationImportCommand::applyLightKey(const MObject& shape, const LightKey& key) {
  const LightKey* lightKey = &key;
  switch (lightKey->type) {
    case LightKey::kDirectional: {
      MFnDirectionalLight light(shape, &status);
      if (status)
        applyDirectionalLightKey(light, *lightKey);
      break;
    }
    case LightKey::kPoint: {
      MFnPointLight light(shape, &status);
      if (status)
        applyPointLightKey(light, *lightKey);
      break;
    }
    case LightKey::kSpot: {
      MFnSpotLight light(shape, &status);
      if (status)
        applySpotLightKey(light, *lightKey);
      break;
    }
    default:
      break;
  }
}
