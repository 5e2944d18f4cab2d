#include "anim_export/RenderSettings.h"

#include <maya/MAnimControl.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MTime.h>

#include <limits>

#include "shell/ErrorReport.h"
#include "shell/MessageTexts.h"

namespace {

// Truncated toward zero; values beyond the 32-bit range are held at its ends, and a
// non-number is 0, so no frame number is undefined.
std::int32_t truncateToInt32(double value) {
  if (!(value == value))
    return 0;
  if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

// A time in the UI time unit, truncated toward zero.
std::int32_t wholeFrames(const MTime& time) {
  return truncateToInt32(time.as(MTime::uiUnit()));
}

MTime readTimeAttribute(const MFnDependencyNode& node, const MString& attribute) {
  MTime value;
  node.findPlug(attribute, true).getValue(value);
  return value;
}

void usePlaybackRange(RenderSettings& settings) {
  settings.startFrame = wholeFrames(MAnimControl::minTime());
  settings.endFrame = wholeFrames(MAnimControl::maxTime());
  settings.byFrameStep = 1;
}

}  // namespace

int readIntAttribute(const MFnDependencyNode& node, const MString& attribute) {
  int value = 0;
  node.findPlug(attribute, true).getValue(value);
  return value;
}

bool readBoolAttribute(const MFnDependencyNode& node, const MString& attribute) {
  bool value = false;
  node.findPlug(attribute, true).getValue(value);
  return value;
}

double readDoubleAttribute(const MFnDependencyNode& node, const MString& attribute) {
  double value = 0.0;
  node.findPlug(attribute, true).getValue(value);
  return value;
}

bool queryRenderSettings(RenderSettings& settings) {
  MSelectionList list;
  list.add(MString("defaultRenderGlobals"));
  if (list.length() == 0) {
    settings.width = 0;
    settings.height = 0;
    return false;
  }
  MObject globalsNode;
  MStatus status = list.getDependNode(0, globalsNode);
  MFnDependencyNode globals(globalsNode);

  MPlugArray sources;
  globals.findPlug(MString("resolution"), true).connectedTo(sources, true, false, &status);
  if (status && sources.length() == 1) {
    MObject resolutionNode = sources[0].node(&status);
    if (status) {
      MFnDependencyNode resolution(resolutionNode);
      settings.width = readIntAttribute(resolution, "width");
      settings.height = readIntAttribute(resolution, "height");
      settings.pixelAspect = static_cast<float>(readDoubleAttribute(resolution, "pixelAspect"));
      settings.aspectLock = readBoolAttribute(resolution, "aspectLock");
      settings.deviceAspectRatio =
          static_cast<float>(readDoubleAttribute(resolution, "deviceAspectRatio"));
      settings.lockDeviceAspectRatio = readBoolAttribute(resolution, "lockDeviceAspectRatio");
      settings.oddFieldFirst = readBoolAttribute(resolution, "oddFieldFirst");
      settings.fields = readIntAttribute(resolution, "fields");
      settings.zerothScanline = readIntAttribute(resolution, "zerothScanline");
    }
  }

  if (readBoolAttribute(globals, "animation")) {
    short range = 0;
    globals.findPlug(MString("animationRange"), true).getValue(range);
    if (range == 0) {
      settings.startFrame = wholeFrames(readTimeAttribute(globals, "startFrame"));
      settings.endFrame = wholeFrames(readTimeAttribute(globals, "endFrame"));
      float step = 0.0f;
      globals.findPlug(MString("byFrameStep"), true).getValue(step);
      settings.byFrameStep = truncateToInt32(step);
    } else {
      usePlaybackRange(settings);
    }
  } else {
    reportError(kMsgEnableAnimation);
    usePlaybackRange(settings);
  }

  settings.ignoreFilmGate = readBoolAttribute(globals, "ignoreFilmGate");
  settings.renderAll = readBoolAttribute(globals, "renderAll");
  return static_cast<bool>(status);
}
