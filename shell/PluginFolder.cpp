#include "shell/PluginFolder.h"

#include <cctype>
#include <string>

namespace {

// Built on first use, so its construction is not ordered against the module's other statics.
std::string& pluginFolder() {
  static std::string folder;
  return folder;
}

bool isSeparator(char c) {
  return c == '/' || c == '\\';
}

// A full path as the host reports one: "/..." on Linux and macOS; "C:/..." or "C:\..." (a drive
// letter) and "\\server\share" on Windows.
bool isFullPath(const std::string& folder) {
  if (!folder.empty() && isSeparator(folder[0]))
    return true;
  return folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) &&
         folder[1] == ':' && isSeparator(folder[2]);
}

// Where the folder's last component starts: after the last separator. The root of a path ("/"
// or "C:/") has no component to take away.
std::size_t lastComponent(const std::string& folder) {
  const std::size_t separator = folder.find_last_of("/\\");
  return separator == std::string::npos ? 0 : separator + 1;
}

std::string withoutTrailingSeparators(std::string folder) {
  const std::size_t keep = folder.size() >= 3 && folder[1] == ':' ? 3 : 1;
  while (folder.size() > keep && isSeparator(folder.back()))
    folder.pop_back();
  return folder;
}

// The folder above `folder`, without its separator; "" above a top-level folder.
std::string parentOf(const std::string& folder) {
  const std::size_t start = lastComponent(folder);
  if (start == 0)
    return std::string();
  return withoutTrailingSeparators(folder.substr(0, start));
}

}  // namespace

void rememberPluginFolder(const MString& folder) {
  pluginFolder().assign(folder.asChar(), folder.length());
}

MString moduleScriptPath(const char* fileName) {
  const std::string folder = withoutTrailingSeparators(pluginFolder());
  // A relative folder would be resolved against whatever the current folder is at import time.
  if (!isFullPath(folder) || folder.find('\0') != std::string::npos)
    return MString();
  // <module>/plug-ins/<plug-in>, or <module>/plug-ins/<version>/<plug-in> when a module keeps
  // one build per host version: the module folder is above the "plug-ins" folder.
  std::string module = parentOf(folder);
  const std::string above = parentOf(module);
  if (folder.compare(lastComponent(folder), std::string::npos, "plug-ins") != 0 &&
      module.compare(lastComponent(module), std::string::npos, "plug-ins") == 0)
    module = above;
  if (!module.empty() && isSeparator(module.back()))
    module.pop_back();
  // Windows folders reported with backslashes get backslashes: one style in one path.
  const char separator =
      folder.find('/') == std::string::npos && folder.find('\\') != std::string::npos ? '\\' : '/';
  const std::string path = module + separator + "scripts" + separator + fileName;
  return MString(path.c_str());
}
