#pragma once
// A long computation that reports progress and can be interrupted by the user.
// The batch host turns an interrupt signal into an interrupt request while a computation runs
// and prints the progress of one begun with a progress bar to standard error, a few times a
// second at most.

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MComputation {
 public:
  MComputation();
  virtual ~MComputation();
  void beginComputation(bool showProgressBar = false, bool isInterruptable = true,
                        bool useWaitCursor = true);
  bool isInterruptRequested();
  void endComputation();
  MStatus setProgressRange(const int minValue, const int maxValue);
  int progressMin(MStatus* ReturnStatus = NULL) const;
  int progressMax(MStatus* ReturnStatus = NULL) const;
  MStatus setProgress(const int amount);
  int progress(MStatus* ReturnStatus = NULL) const;
  MStatus setProgressStatus(const MString&);
  static const char* className();

 private:
  void* f_data;
  bool useProgressBar;
};

OPENMAYA_NAMESPACE_CLOSE
