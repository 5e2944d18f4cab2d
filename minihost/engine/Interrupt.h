#pragma once
// The user's interrupt request, shared by the batch host's signal handler and MComputation.
//
// While a computation that can be interrupted runs, an interrupt signal only sets the request;
// the computation sees it at its next check and stops. Outside one, or when the user asks a
// second time before the first request was seen, the signal ends the process as it would
// without the handler, so a command that never checks can still be stopped.

namespace minihost {

// Installs the handler for SIGINT (the batch host does this once at start).
void installInterruptHandler();

// Called from the signal handler; async-signal-safe.
void requestInterrupt();

// The computation bracket: begin makes interrupts requests instead of the end of the process
// (when `interruptable`), end takes back an unseen request. Computations may nest.
void beginInterruptibleComputation(bool interruptable);
void endInterruptibleComputation(bool interruptable);

// Whether an interrupt was requested since the outermost computation began.
bool interruptRequested();

}  // namespace minihost
