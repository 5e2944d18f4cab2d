#include "AnimationReadBack.h"

#include "boundary/base/GIO.h"
#include "boundary/base/ifpstream.h"

namespace {

template <class List, class Track>
std::vector<std::string> trackNames(const List& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.trackCount(); ++i) {
    const Track* track = list.track(i);
    names.push_back(track ? std::string(track->name.c_str()) : std::string("<null>"));
  }
  return names;
}

template <class List, class Track>
const Track* findTrack(const List& list, const std::string& name) {
  for (int i = 0; i < list.trackCount(); ++i) {
    const Track* track = list.track(i);
    if (track && name == track->name.c_str())
      return track;
  }
  return nullptr;
}

template <class Track>
std::vector<int> framesOf(const Track& track) {
  std::vector<int> frames;
  for (int i = 0; i < track.keyCount(); ++i)
    frames.push_back(track.key(i)->frame);
  return frames;
}

}  // namespace

std::unique_ptr<AnimationDocument> readDocument(const std::string& path) {
  ifpstream in(path.c_str(), GIO::IORead, GFileIO::IOOpenExisting, GFileIO::IOShareRead);
  if (in.fail())
    return nullptr;
  auto document = std::make_unique<AnimationDocument>();
  if (!document->read(in))
    return nullptr;
  return document;
}

std::vector<std::string> cameraNames(const AnimationDocument& document) {
  return trackNames<VXRAnimation_CameraList, VXRAnimation_Camera>(document.cameras);
}

std::vector<std::string> lightNames(const AnimationDocument& document) {
  return trackNames<VXRAnimation_LightList, VXRAnimation_Light>(document.lights);
}

const VXRAnimation_Camera* cameraTrack(const AnimationDocument& document, const std::string& name) {
  return findTrack<VXRAnimation_CameraList, VXRAnimation_Camera>(document.cameras, name);
}

const VXRAnimation_Light* lightTrack(const AnimationDocument& document, const std::string& name) {
  return findTrack<VXRAnimation_LightList, VXRAnimation_Light>(document.lights, name);
}

std::vector<int> keyFrames(const VXRAnimation_Camera& track) {
  return framesOf(track);
}

std::vector<int> keyFrames(const VXRAnimation_Light& track) {
  return framesOf(track);
}
