#include "anim_export/AnimationExport.h"

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
#include "anim_export/ExportMessages.h"
#include "anim_export/ExportProgress.h"
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
  GString message(exportMessages::kCantExportCamera);
  message += path.fullPathName().asChar();
  message += GString::Format(exportMessages::kAtFrame, static_cast<int>(frame));
  message += ": ";
  message += reason;
  message += ".\n";
  reportError(message);
  return true;
}

void reportUnusableLight(const MDagPath& path, std::int32_t frame, const char* fault) {
  GString message(exportMessages::kCantExportLight);
  message += path.fullPathName().asChar();
  message += GString::Format(exportMessages::kAtFrame, static_cast<int>(frame));
  message += ": the key ";
  message += fault;
  message += ".\n";
  reportError(message);
}

// How the frame loop ended. A camera or light that cannot be captured has been reported by then.
struct CaptureEnd {
  enum Kind { kDone, kRefused, kOutOfMemory, kInterrupted };
  Kind kind = kDone;
  MDagPath path;           // out of memory: the object whose key could not be stored
  std::int32_t frame = 0;  // out of memory or interrupted: the frame not captured
};

CaptureEnd ended(CaptureEnd::Kind kind, std::int32_t frame, const MDagPath& path = MDagPath()) {
  CaptureEnd end;
  end.kind = kind;
  end.frame = frame;
  end.path = path;
  return end;
}

CaptureEnd captureFrames(const RenderSettings& settings, const MTime& timeBefore,
                         const MDagPathArray& cameraPaths, VXRAnimation_CameraList& cameras,
                         const MDagPathArray& lightPaths, VXRAnimation_LightList& lights) {
  // A step below 1 would never reach the end; 64-bit frames end the loop at the 32-bit limit.
  const std::int64_t step = settings.byFrameStep < 1 ? 1 : settings.byFrameStep;
  const std::int64_t frames =
      settings.endFrame < settings.startFrame
          ? 0
          : (std::int64_t(settings.endFrame) - settings.startFrame) / step + 1;
  ExportProgress progress(frames);
  std::int64_t done = 0;
  for (std::int64_t f = settings.startFrame; f <= settings.endFrame; f += step, ++done) {
    const std::int32_t frame = static_cast<std::int32_t>(f);
    if (!progress.advance(done))
      return ended(CaptureEnd::kInterrupted, frame);
    MAnimControl::setCurrentTime(MTime(static_cast<double>(frame), timeBefore.unit()));
    for (unsigned i = 0; i < cameraPaths.length(); ++i) {
      MFnCamera camera(cameraPaths[i]);
      if (reportUncapturableCamera(cameraPaths[i], camera, frame, settings))
        return ended(CaptureEnd::kRefused, frame);
      if (!captureCamera(*cameras.track(static_cast<int>(i)), camera, frame, settings))
        return ended(CaptureEnd::kOutOfMemory, frame, cameraPaths[i]);
    }
    for (unsigned i = 0; i < lightPaths.length(); ++i) {
      const char* fault = nullptr;
      switch (captureLight(*lights.track(static_cast<int>(i)), lightPaths[i], frame, &fault)) {
        case LightCapture::kCaptured:
          break;
        case LightCapture::kUnusable:
          reportUnusableLight(lightPaths[i], frame, fault);
          return ended(CaptureEnd::kRefused, frame);
        case LightCapture::kOutOfMemory:
          return ended(CaptureEnd::kOutOfMemory, frame, lightPaths[i]);
      }
    }
  }
  return ended(CaptureEnd::kDone, 0);
}

// An export that ends early writes nothing and says why. The keys are freed before the report
// is made: after running out of memory, the report itself needs some.
void reportCaptureEnd(const CaptureEnd& end, const MString& fileName,
                      VXRAnimation_CameraList& cameras, VXRAnimation_LightList& lights) {
  cameras.shut_down();
  lights.shut_down();
  GString message;
  if (end.kind == CaptureEnd::kOutOfMemory) {
    message = exportMessages::kOutOfMemoryCapturing;
    message += end.path.fullPathName().asChar();
    message += GString::Format(exportMessages::kAtFrame, static_cast<int>(end.frame));
  } else if (end.kind == CaptureEnd::kInterrupted) {
    message = GString::Format(exportMessages::kInterruptedAtFrame, static_cast<int>(end.frame));
  } else {
    return;
  }
  message += exportMessages::kNothingWrittenTo;
  message += fileName.asChar();
  message += "\n";
  reportError(message);
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
    GString message(exportMessages::kCantWriteOutputFile);
    message += fileName.asChar();
    message += "\n";
    reportError(message);
    return false;
  }
  return true;
}

}  // namespace

MStatus exportAnimation(const MString& fileName, MPxFileTranslator::FileAccessMode mode) {
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
    reportError(GString(exportMessages::kOutOfMemoryPreparing));
    return MStatus(MS::kFailure);
  }

  const MTime timeBefore = MAnimControl::currentTime();
  const CaptureEnd end =
      captureFrames(settings, timeBefore, cameraPaths, cameras, lightPaths, lights);
  MAnimControl::setCurrentTime(timeBefore);
  if (end.kind != CaptureEnd::kDone) {
    reportCaptureEnd(end, fileName, cameras, lights);
    return MStatus(MS::kFailure);
  }

  return writeAnimationFile(fileName, cameras, lights) ? MStatus(MS::kSuccess)
                                                       : MStatus(MS::kFailure);
}
