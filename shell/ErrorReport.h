#pragma once

#include "boundary/base/GString.h"

// Tells the user that an export or import went wrong: the host shows one short warning for
// every report, and the detailed message goes to standard output as it is (never used as a
// format, so a "%" in a file name prints unchanged).
void reportError(const GString& message);

// True when the scene's up axis is z.
bool queryUpAxisIsZ();
