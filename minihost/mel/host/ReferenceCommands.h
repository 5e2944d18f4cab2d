#pragma once
// file -reference, -loadReference and -unloadReference, on the scene reader's references.

#include "mel/Flags.h"

namespace mel::host {

// The "file" command's reference flags: true when one of them was given (then `handled`
// says how it went).
bool fileReferenceFlags(CommandCall& call, const FlagSet& flags, bool& handled);

}  // namespace mel::host
