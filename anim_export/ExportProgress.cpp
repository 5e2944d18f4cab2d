#include "anim_export/ExportProgress.h"

#include <maya/MString.h>

ExportProgress::ExportProgress(std::int64_t frames) : frames_(frames > 0 ? frames : 1) {
  computation_.beginComputation(true, true, false);
  computation_.setProgressRange(0, kSteps);
  computation_.setProgressStatus(MString("VXR animation export"));
}

ExportProgress::~ExportProgress() {
  computation_.endComputation();
}

bool ExportProgress::advance(std::int64_t done) {
  // The host is told only when the step changes: a long range has millions of frames.
  const int step = static_cast<int>(done * kSteps / frames_);
  if (step != step_) {
    step_ = step;
    computation_.setProgress(step);
  }
  return !computation_.isInterruptRequested();
}
