#pragma once
// The nodes every scene of the host holds besides the ones the engine models (cameras, render
// globals, resolution): scene files reach them by name (select -ne :time1, connectAttr to
// ":defaultLightSet.dsm"), so the reader makes placeholders for them on first use.

#include <string>

namespace minihost::scenefile {

// The host's type name for a default node, or null when the name is not one.
const char* defaultNodeType(const std::string& name);

}  // namespace minihost::scenefile
