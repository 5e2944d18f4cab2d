#include "anim_export/AnimationTranslator.h"

#include <maya/MAnimControl.h>
#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MFn.h>
#include <maya/MFnCamera.h>
#include <maya/MTime.h>

#include <cstdint>
#include <new>

#include "anim_export/CameraCapture.h"
#include "anim_export/DagPaths.h"
#include "anim_export/LightCapture.h"
#include "anim_export/RenderSettings.h"
#include "anim_model/AnimationFileHeader.h"
#include "anim_model/VXRAnimation_CameraList.h"
#include "anim_model/VXRAnimation_LightList.h"
#include "boundary/base/GIO.h"
#include "boundary/base/ofpstream.h"
#include "shell/ErrorReport.h"
#include "shell/MessageTexts.h"

namespace {

// One named track per path, at the same index.
template <class Track, class List>
bool makeTracks(const MDagPathArray& paths, List& list) {
  for (unsigned i = 0; i < paths.length(); ++i) {
    Track* track = new (std::nothrow) Track();
    if (track == nullptr)
      return false;
    track->setName(GString(paths[i].fullPathName().asChar()));
    if (list.v_insert(track) < 0) {
      delete track;
      return false;
    }
  }
  return true;
}

// A camera whose settings give no finite window at this frame is reported by name with the
// setting, and the export stops: the file never holds non-finite values.
bool reportUncapturableCamera(const MDagPath& path, const MFnCamera& camera, std::int32_t frame,
                              const RenderSettings& settings) {
  const GString reason = uncapturableCameraSetting(camera, settings);
  if (reason.isEmpty())
    return false;
  GString message("VXR animation. Can't export camera ");
  message += path.fullPathName().asChar();
  message += GString::Format(" at frame %d: ", static_cast<int>(frame));
  message += reason;
  message += ".\n";
  reportError(message);
  return true;
}

// A key that could not be stored would leave a gap in the file: the export fails instead.
bool reportOutOfMemory(const MDagPath& path) {
  GString message("VXR animation. Out of memory while capturing ");
  message += path.fullPathName().asChar();
  message += ".\n";
  reportError(message);
  return false;
}

bool captureFrames(const RenderSettings& settings, const MTime& timeBefore,
                   const MDagPathArray& cameraPaths, VXRAnimation_CameraList& cameras,
                   const MDagPathArray& lightPaths, VXRAnimation_LightList& lights) {
  // A step below 1 would never reach the end; 64-bit frames end the loop at the 32-bit limit.
  const std::int64_t step = settings.byFrameStep < 1 ? 1 : settings.byFrameStep;
  for (std::int64_t f = settings.startFrame; f <= settings.endFrame; f += step) {
    const std::int32_t frame = static_cast<std::int32_t>(f);
    MAnimControl::setCurrentTime(MTime(static_cast<double>(frame), timeBefore.unit()));
    for (unsigned i = 0; i < cameraPaths.length(); ++i) {
      MFnCamera camera(cameraPaths[i]);
      if (reportUncapturableCamera(cameraPaths[i], camera, frame, settings))
        return false;
      if (!captureCamera(*cameras.track(static_cast<int>(i)), camera, frame, settings))
        return reportOutOfMemory(cameraPaths[i]);
    }
    for (unsigned i = 0; i < lightPaths.length(); ++i) {
      if (!captureLight(*lights.track(static_cast<int>(i)), lightPaths[i], frame))
        return reportOutOfMemory(lightPaths[i]);
    }
  }
  return true;
}

bool writeAnimationFile(const MString& fileName, const VXRAnimation_CameraList& cameras,
                        const VXRAnimation_LightList& lights) {
  ofpstream out(fileName.asChar(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  if (out.fail()) {
    GString message(kMsgCantOpenOutputFile);
    message += fileName.asChar();
    message += "\n";
    reportError(message);
    return false;
  }
  AnimationFileHeader header;
  header.upAxisIsZ = queryUpAxisIsZ();
  header.write(out, cameras);
  header.writeLights(out, lights);
  // The file replaces the previous one only when everything reached the disk.
  if (!out.close()) {
    GString message("VXR animation. Can't write output file: ");
    message += fileName.asChar();
    message += "\n";
    reportError(message);
    return false;
  }
  return true;
}

}  // namespace

AnimationTranslator::~AnimationTranslator() = default;

void* AnimationTranslator::creator() {
  return new (std::nothrow) AnimationTranslator();
}

MStatus AnimationTranslator::writer(const MFileObject& file, const MString& /*optionsString*/,
                                    FileAccessMode mode) {
  const MString fileName = file.fullName();
  RenderSettings settings;
  if (!queryRenderSettings(settings)) {
    reportError(kMsgCantGetRenderGlobals);
    return MStatus(MS::kFailure);
  }

  MDagPathArray cameraPaths, lightPaths;
  VXRAnimation_CameraList cameras;
  VXRAnimation_LightList lights;
  collectDagPaths(cameraPaths, MFn::kCamera, mode);
  collectDagPaths(lightPaths, MFn::kLight, mode);
  if (!makeTracks<VXRAnimation_Camera>(cameraPaths, cameras) ||
      !makeTracks<VXRAnimation_Light>(lightPaths, lights)) {
    reportError(GString("VXR animation. Out of memory while preparing the export.\n"));
    return MStatus(MS::kFailure);
  }

  const MTime timeBefore = MAnimControl::currentTime();
  const bool captured =
      captureFrames(settings, timeBefore, cameraPaths, cameras, lightPaths, lights);
  MAnimControl::setCurrentTime(timeBefore);
  if (!captured)
    return MStatus(MS::kFailure);

  return writeAnimationFile(fileName, cameras, lights) ? MStatus(MS::kSuccess)
                                                       : MStatus(MS::kFailure);
}

bool AnimationTranslator::haveReadMethod() const {
  return true;
}

bool AnimationTranslator::haveWriteMethod() const {
  return true;
}

MString AnimationTranslator::defaultExtension() const {
  return MString("vxranim");
}

bool AnimationTranslator::canBeOpened() const {
  return false;
}
