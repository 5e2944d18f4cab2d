#pragma once

#include <maya/MString.h>

// Where the module was loaded from, as the host reported it at initialisation
// (`MFnPlugin::loadPath`: the folder holding the plug-in file). The module's own files are found
// from there, never through a search path that another folder could come first on.
void rememberPluginFolder(const MString& folder);

// The full name of one of the module's scripts: `<module>/scripts/<fileName>`, where <module>
// is the folder above the plug-in's folder (an installed module keeps its plug-in in
// <module>/plug-ins). Empty when the plug-in's folder is not known or not a full path.
MString moduleScriptPath(const char* fileName);
