#pragma once
// file -reference, -loadReference, -unloadReference and -query -reference, on the scene
// reader's references.

#include "mel/Flags.h"

namespace mel::host {

// The "file" command's reference flags: true when one of them was given (then `handled`
// says how it went).
bool fileReferenceFlags(CommandCall& call, const FlagSet& flags, bool& handled);

// file -query -reference: the file names of the scene's own references (or, unless
// `ofTheScene`, of those inside the referenced file the command names), as -unresolvedName,
// -withoutCopyNumber and -shortName ask.
bool queryFileReferences(CommandCall& call, const FlagSet& flags, bool ofTheScene);

}  // namespace mel::host
