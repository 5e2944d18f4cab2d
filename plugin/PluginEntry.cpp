// The three symbols the host looks for when it loads the module: the entry points, which it
// finds by their C++ names, and MApiVersion, which MFnPlugin.h defines in this source only
// (the module's other sources define MNoVersionString) as the API version of the SDK the
// module is built against. MFnPlugin.h comes first, before any header that includes it again.
#include <maya/MFnPlugin.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>

#include "plugin/Registrar.h"
#include "shell/PluginFolder.h"

PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Vornhal Studio Inc.", "1.5", "Any", nullptr);
  if (registrarListUnavailable)
    return MStatus(MS::kFailure);
  rememberPluginFolder(plugin.loadPath());
  if (registrarList != nullptr) {
    // Registration failures (a name the host already knows) are the host's to report; the
    // remaining items are still registered.
    for (int i = 0; i < registrarList->count; ++i)
      registrarList->registrarAt(i)->registerWithHost(plugin);
  }
  return MStatus(MS::kSuccess);
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Unknown", "Unknown", "Any", nullptr);
  if (registrarList != nullptr) {
    for (int i = registrarList->count - 1; i >= 0; --i)
      registrarList->registrarAt(i)->deregisterFromHost(plugin);
  }
  return MStatus(MS::kSuccess);
}
