// Time control and evaluation context.
#include <maya/MAnimControl.h>
#include <maya/MDGContext.h>

#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::kTicksPerSecond;
using minihost::Scene;

namespace {
double ticks(const MTime& t) {
  return t.as(MTime::kSeconds) * kTicksPerSecond;
}
MTime fromTicks(double ticks) {
  return MTime(MTime(ticks / kTicksPerSecond, MTime::kSeconds).as(MTime::uiUnit()),
               MTime::uiUnit());
}
}  // namespace

MAnimControl::MAnimControl() = default;
MAnimControl::~MAnimControl() = default;

MTime MAnimControl::currentTime() {
  return fromTicks(Scene::get().currentTicks());
}
MStatus MAnimControl::setCurrentTime(const MTime& newTime) {
  Scene::get().setCurrentTicks(ticks(newTime));
  return MS::kSuccess;
}
MTime MAnimControl::minTime() {
  return fromTicks(Scene::get().minTicks());
}
MTime MAnimControl::maxTime() {
  return fromTicks(Scene::get().maxTicks());
}
MStatus MAnimControl::setMinTime(MTime t) {
  Scene& s = Scene::get();
  s.setPlaybackRange(ticks(t), s.maxTicks());
  return MS::kSuccess;
}
MStatus MAnimControl::setMaxTime(MTime t) {
  Scene& s = Scene::get();
  s.setPlaybackRange(s.minTicks(), ticks(t));
  return MS::kSuccess;
}
MStatus MAnimControl::setMinMaxTime(const MTime& a, const MTime& b) {
  if (b < a)
    return MS::kInvalidParameter;
  Scene::get().setPlaybackRange(ticks(a), ticks(b));
  return MS::kSuccess;
}
MTime MAnimControl::animationStartTime() {
  return fromTicks(Scene::get().animationStartTicks());
}
MTime MAnimControl::animationEndTime() {
  return fromTicks(Scene::get().animationEndTicks());
}
MStatus MAnimControl::setAnimationStartTime(MTime t) {
  Scene& s = Scene::get();
  s.setAnimationRange(ticks(t), s.animationEndTicks());
  return MS::kSuccess;
}
MStatus MAnimControl::setAnimationEndTime(MTime t) {
  Scene& s = Scene::get();
  s.setAnimationRange(s.animationStartTicks(), ticks(t));
  return MS::kSuccess;
}
MStatus MAnimControl::setAnimationStartEndTime(const MTime& a, const MTime& b) {
  if (b < a)
    return MS::kInvalidParameter;
  Scene::get().setAnimationRange(ticks(a), ticks(b));
  return MS::kSuccess;
}
MTime MAnimControl::playbackBy() {
  return fromTicks(Scene::get().playbackByTicks());
}
MStatus MAnimControl::setPlaybackBy(const MTime& increment) {
  if (ticks(increment) <= 0.0)
    return MS::kInvalidParameter;
  Scene::get().setPlaybackByTicks(ticks(increment));
  return MS::kSuccess;
}
bool MAnimControl::isPlaying() {
  return false;
}

MDGContext MDGContext::fsNormal;

MDGContext::MDGContext() : normal_(true) {}
MDGContext::MDGContext(const MTime& when) : normal_(false), time_(when) {}
MDGContext::MDGContext(const MDGContext& other) = default;
MDGContext::~MDGContext() = default;
MDGContext& MDGContext::operator=(const MDGContext& other) = default;
bool MDGContext::isNormal(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return normal_;
}
MStatus MDGContext::getTime(MTime& outTime) const {
  outTime = normal_ ? MAnimControl::currentTime() : time_;
  return MS::kSuccess;
}
MTime MDGContext::getTime(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return normal_ ? MAnimControl::currentTime() : time_;
}

OPENMAYA_NAMESPACE_CLOSE
