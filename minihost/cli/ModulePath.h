#pragma once
// Host modules: a folder on MAYA_MODULE_PATH holds "*.mod" files, each naming module folders
// whose plug-in and script folders join the host's search paths, as the real host does.
//
//   + [PLATFORM:linux] name version path     starts an enabled module (path may be relative
//                                            to the folder of the .mod file)
//   - name version path                      a disabled module: its lines are ignored
//   MAYA_PLUG_IN_PATH+:=plug-ins             ":=" paths are relative to the module folder,
//   MAYA_SCRIPT_PATH+=/abs/scripts           "=" paths are taken as they are
//
// A module that names no plug-in (or script) folder gets its "plug-ins" ("scripts") folder.

#include <string>
#include <vector>

namespace minihost_cli {

struct ModuleFolders {
  std::vector<std::string> pluginDirs;
  std::vector<std::string> scriptDirs;
  std::vector<std::string> warnings;  // malformed lines, with file and line number
};

// Reads the text of one .mod file; `modFileDir` resolves relative module paths and `fileName`
// names the file in warnings.
void parseModuleFile(const std::string& text, const std::string& modFileDir,
                     const std::string& fileName, ModuleFolders& out);

// Reads every "*.mod" file (in name order) of each folder in a ':'-separated path list, such as
// the value of MAYA_MODULE_PATH (null: nothing). Missing folders are skipped.
ModuleFolders findModuleFolders(const char* modulePath);

}  // namespace minihost_cli
