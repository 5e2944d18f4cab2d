#pragma once

#include "boundary/base/GString.h"

// The messages of the animation translator, made when the module is loaded.
extern const GString kMsgCantGetRenderGlobals;
extern const GString kMsgEnableAnimation;
// The output file's full name and "\n" are appended to a copy.
extern const GString kMsgCantOpenOutputFile;
// Ends in a blank, without a line end.
extern const GString kMsgCantOpenInputFile;
