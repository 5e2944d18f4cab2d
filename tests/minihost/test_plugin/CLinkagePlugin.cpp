// A plug-in whose entry points have C linkage. The host finds the entry points by their C++
// names, so it must refuse this plug-in without calling anything in it.
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>

extern "C" {
PLUGIN_EXPORT MStatus initializePlugin(MObject) {
  MGlobal::displayInfo("C-linkage initializePlugin called");
  return MS::kSuccess;
}
PLUGIN_EXPORT MStatus uninitializePlugin(MObject) {
  return MS::kSuccess;
}
}
