#include <maya/MComputation.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "engine/Interrupt.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

namespace {

// Progress lines go out at most this often, so a loop that sets its progress every step does
// not flood the log; a computation shorter than this prints none.
constexpr std::chrono::milliseconds kProgressInterval(250);

struct ComputationData {
  bool running = false;
  bool interruptable = false;
  int minValue = 0;
  int maxValue = 100;
  int value = 0;
  int printedValue = 0;
  std::string status;
  std::chrono::steady_clock::time_point lastPrint;
};

ComputationData& data(void* p) {
  return *static_cast<ComputationData*>(p);
}

void printProgress(ComputationData& d) {
  const auto now = std::chrono::steady_clock::now();
  if (d.value == d.printedValue || now - d.lastPrint < kProgressInterval)
    return;
  d.printedValue = d.value;
  d.lastPrint = now;
  const double span = static_cast<double>(d.maxValue) - d.minValue;
  const double percent = span > 0 ? (static_cast<double>(d.value) - d.minValue) * 100 / span : 100;
  std::fprintf(stderr, "// Progress: %s%s%.1f%% //\n", d.status.c_str(),
               d.status.empty() ? "" : " ", percent);
}

}  // namespace

MComputation::MComputation() : f_data(new ComputationData()), useProgressBar(false) {}

MComputation::~MComputation() {
  endComputation();
  delete static_cast<ComputationData*>(f_data);
}

void MComputation::beginComputation(bool showProgressBar, bool isInterruptable, bool) {
  ComputationData& d = data(f_data);
  if (d.running)
    return;
  d.running = true;
  d.interruptable = isInterruptable;
  d.printedValue = d.minValue - 1;
  d.lastPrint = std::chrono::steady_clock::now();
  useProgressBar = showProgressBar;
  minihost::beginInterruptibleComputation(isInterruptable);
}

bool MComputation::isInterruptRequested() {
  const ComputationData& d = data(f_data);
  return d.running && d.interruptable && minihost::interruptRequested();
}

void MComputation::endComputation() {
  ComputationData& d = data(f_data);
  if (!d.running)
    return;
  d.running = false;
  minihost::endInterruptibleComputation(d.interruptable);
}

MStatus MComputation::setProgressRange(const int minValue, const int maxValue) {
  if (minValue > maxValue)
    return MS::kInvalidParameter;
  ComputationData& d = data(f_data);
  d.minValue = minValue;
  d.maxValue = maxValue;
  d.value = minValue;
  return MS::kSuccess;
}

int MComputation::progressMin(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return data(f_data).minValue;
}

int MComputation::progressMax(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return data(f_data).maxValue;
}

MStatus MComputation::setProgress(const int amount) {
  ComputationData& d = data(f_data);
  d.value = amount < d.minValue ? d.minValue : amount > d.maxValue ? d.maxValue : amount;
  if (d.running && useProgressBar)
    printProgress(d);
  return MS::kSuccess;
}

int MComputation::progress(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return data(f_data).value;
}

MStatus MComputation::setProgressStatus(const MString& status) {
  data(f_data).status = status.asChar();
  return MS::kSuccess;
}

const char* MComputation::className() {
  return "MComputation";
}

OPENMAYA_NAMESPACE_CLOSE
