#pragma once
// The API version a plug-in was built against, as the exported text datum MApiVersion. The
// host reads it to tell which kit built the plug-in. Every source that includes this header
// (MFnPlugin.h includes it) defines the datum, so a plug-in defines MNoVersionString before
// including it in all its sources but one.

#include <maya/MTypes.h>

#ifndef MNoVersionString

#define MINIHOST_VERSION_TEXT(version) MINIHOST_VERSION_TEXT_OF(version)
#define MINIHOST_VERSION_TEXT_OF(version) #version

extern "C" {
PLUGIN_EXPORT char MApiVersion[] = MINIHOST_VERSION_TEXT(MAYA_API_VERSION);
}

#undef MINIHOST_VERSION_TEXT
#undef MINIHOST_VERSION_TEXT_OF

#endif
