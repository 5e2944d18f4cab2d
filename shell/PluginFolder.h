#pragma once

#include <maya/MString.h>

// Where the module was loaded from, as the host reported it at initialisation
// (`MFnPlugin::loadPath`: the folder holding the plug-in file). The module's own files are found
// from there, never through a search path that another folder could come first on.
void rememberPluginFolder(const MString& folder);

// The full name one of the module's scripts has when it is installed with the module:
// `<module>/scripts/<fileName>`, where <module> is the folder above the plug-in's folder (an
// installed module keeps its plug-in in <module>/plug-ins), or above "plug-ins" when the plug-in
// lies in a per-version folder (<module>/plug-ins/2024). Drive-letter paths ("C:\...") count as
// full paths. Empty when the plug-in's folder is not known or not a full path. The file need
// not exist: a module may keep its scripts elsewhere and name that folder on the script path.
MString moduleScriptPath(const char* fileName);
