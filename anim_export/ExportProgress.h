#pragma once

#include <maya/MComputation.h>

#include <cstdint>

// The frame loop of an export as a host computation: the host shows how far it is and the
// user can interrupt it. Begun by the constructor, ended by the destructor.
class ExportProgress {
 public:
  // For `frames` frames; the host is told of every thousandth of them.
  explicit ExportProgress(std::int64_t frames);
  ~ExportProgress();
  ExportProgress(const ExportProgress&) = delete;
  ExportProgress& operator=(const ExportProgress&) = delete;

  // Reports that `done` frames are captured; false when the user asked to stop.
  bool advance(std::int64_t done);

 private:
  MComputation computation_;
  static constexpr int kSteps = 1000;
  std::int64_t frames_;
  int step_ = -1;
};
