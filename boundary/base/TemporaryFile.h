#pragma once

#include "boundary/base/GString.h"

// The temporary file a replacing write goes to, in the target's own folder so that the final
// rename stays within one file system.
//
// It is named ".<target name>.tmpXXXXXX": hidden, and recognisably the target's. The writer holds
// an exclusive lock on it for as long as it has it open, so a temporary whose lock can be taken
// belongs to no live writer: one left by a process that was killed while writing. Making a new
// temporary removes such stale ones of the same target first. A target name too long for the
// prefix and suffix gets a short hidden name in the same folder instead.
//
// Returns the open descriptor (close-on-exec, locked) and sets `name` to the temporary's path, or
// returns -1 when no temporary can be made.
int makeTemporaryBeside(const GString& target, GString& name);

// Removes the temporaries of `target` that no live writer holds. Exposed for the tests.
void removeStaleTemporaries(const GString& target);
