#include "shell/PluginFolder.h"

#include <string>

namespace {

// Built on first use, so its construction is not ordered against the module's other statics.
std::string& pluginFolder() {
  static std::string folder;
  return folder;
}

}  // namespace

void rememberPluginFolder(const MString& folder) {
  pluginFolder().assign(folder.asChar(), folder.length());
}

MString moduleScriptPath(const char* fileName) {
  std::string folder = pluginFolder();
  while (folder.size() > 1 && folder.back() == '/')
    folder.pop_back();
  // A relative folder would be resolved against whatever the current folder is at import time.
  if (folder.empty() || folder[0] != '/' || folder.find('\0') != std::string::npos)
    return MString();
  const std::size_t slash = folder.find_last_of('/');
  const std::string module = slash == 0 ? std::string() : folder.substr(0, slash);
  const std::string path = module + "/scripts/" + fileName;
  return MString(path.c_str());
}
