#include "engine/Interrupt.h"

#include <signal.h>

namespace minihost {

namespace {

// Read and written by the signal handler: lock-free atomics of the signal-safe kind.
volatile sig_atomic_t interruptible = 0;  // depth of interruptable computations
volatile sig_atomic_t requested = 0;
int depth = 0;  // all computations, interruptable or not (host thread only)
int interruptibleDepth = 0;

void endProcess(int signal) {
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

void onInterrupt(int signal) {
  if (interruptible == 0 || requested != 0) {
    endProcess(signal);
    return;
  }
  requested = 1;
}

}  // namespace

void installInterruptHandler() {
  struct sigaction action = {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
}

void requestInterrupt() {
  requested = 1;
}

void beginInterruptibleComputation(bool interruptable) {
  if (depth++ == 0)
    requested = 0;
  if (interruptable)
    interruptible = ++interruptibleDepth;
}

void endInterruptibleComputation(bool interruptable) {
  if (depth == 0)
    return;
  if (interruptable && interruptibleDepth > 0)
    interruptible = --interruptibleDepth;
  if (--depth == 0)
    requested = 0;
}

bool interruptRequested() {
  return requested != 0;
}

}  // namespace minihost
