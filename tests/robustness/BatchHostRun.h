#pragma once
// The batch host run as a user runs it, in a child process: its arguments, its output and
// errors caught in files, an optional address-space limit, and an alarm that ends a host that
// hangs, so that a test reports a hang instead of waiting for ever.

#include <sys/resource.h>

#include <string>
#include <vector>

struct BatchHostRun {
  int status = -1;     // exit status, or 128 + the signal that ended the host
  std::string output;  // standard output
  std::string errors;  // standard error
  bool timedOut() const { return status == 128 + 14; }  // SIGALRM
};

// Runs the batch host with `args` in `folder` (output files go there too). `addressSpace`
// bytes (0: no limit) bound its memory; `seconds` bound its time.
BatchHostRun runBatchHost(const std::string& folder, const std::vector<std::string>& args,
                          rlim_t addressSpace = 0, unsigned seconds = 60);

// True when this program was built with AddressSanitizer, which reserves the address space an
// address-space limit caps.
bool builtWithAddressSanitizer();
