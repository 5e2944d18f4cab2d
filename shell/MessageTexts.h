#pragma once

#include "boundary/base/GString.h"

// The messages of the animation translator, made when the module is loaded (the objects in
// plugin/ModuleStatics.cpp, where the order of the statics is kept; their texts with the rest of
// their part's messages, in anim_export/ExportMessages.h and anim_import/ImportMessages.h).
extern const GString kMsgCantGetRenderGlobals;
extern const GString kMsgEnableAnimation;
// The output file's full name and "\n" are appended to a copy.
extern const GString kMsgCantOpenOutputFile;
// Ends in a blank, without a line end.
extern const GString kMsgCantOpenInputFile;
