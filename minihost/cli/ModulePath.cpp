#include "cli/ModulePath.h"

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace minihost_cli {

namespace {

std::string trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos)
    return std::string();
  std::size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

std::vector<std::string> words(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  std::string w;
  while (in >> w)
    out.push_back(w);
  return out;
}

bool isAbsolute(const std::string& path) {
  return !path.empty() && path[0] == '/';
}

std::string join(const std::string& dir, const std::string& path) {
  if (isAbsolute(path) || dir.empty())
    return path;
  if (path == ".")
    return dir;
  return dir + "/" + path;
}

// A leading word such as "PLATFORM:linux" or "MAYAVERSION:2024" is a condition, not a name.
bool isCondition(const std::string& word) {
  std::size_t colon = word.find(':');
  if (colon == std::string::npos || colon == 0)
    return false;
  return std::all_of(word.begin(), word.begin() + static_cast<std::ptrdiff_t>(colon),
                     [](char c) { return (c >= 'A' && c <= 'Z') || c == '_'; });
}

struct Module {
  std::string root;
  std::vector<std::string> pluginDirs;
  std::vector<std::string> scriptDirs;
  bool namedPlugins = false;
  bool namedScripts = false;
};

void finish(Module& m, ModuleFolders& out) {
  if (m.root.empty())
    return;
  if (!m.namedPlugins)
    m.pluginDirs.push_back(m.root + "/plug-ins");
  if (!m.namedScripts)
    m.scriptDirs.push_back(m.root + "/scripts");
  out.pluginDirs.insert(out.pluginDirs.end(), m.pluginDirs.begin(), m.pluginDirs.end());
  out.scriptDirs.insert(out.scriptDirs.end(), m.scriptDirs.begin(), m.scriptDirs.end());
  m = Module();
}

// Parses "+ [COND:value ...] name version path"; returns the module folder, empty when the
// module does not apply to this platform or the line is malformed (then `bad` is set).
std::string moduleRoot(const std::string& rest, const std::string& modFileDir, bool& bad) {
  std::vector<std::string> w = words(rest);
  std::size_t i = 0;
  bool otherPlatform = false;
  for (; i < w.size() && isCondition(w[i]); ++i) {
    if (w[i].compare(0, 9, "PLATFORM:") == 0 && w[i] != "PLATFORM:linux")
      otherPlatform = true;
  }
  // Name and version are single words; the path is the rest of the line and may hold spaces.
  if (w.size() < i + 3) {
    bad = true;
    return std::string();
  }
  std::string afterVersion = rest;
  for (std::size_t k = 0; k <= i + 1; ++k) {
    std::size_t at = afterVersion.find(w[k]);
    afterVersion = afterVersion.substr(at + w[k].size());
  }
  if (otherPlatform)
    return std::string();
  return join(modFileDir, trim(afterVersion));
}

}  // namespace

void parseModuleFile(const std::string& text, const std::string& modFileDir,
                     const std::string& fileName, ModuleFolders& out) {
  Module current;
  bool skipping = true;  // lines before the first module line belong to no module
  std::istringstream in(text);
  std::string raw;
  int lineNumber = 0;
  auto warn = [&](const std::string& what) {
    out.warnings.push_back(fileName + ":" + std::to_string(lineNumber) + ": " + what);
  };
  while (std::getline(in, raw)) {
    ++lineNumber;
    std::string line = trim(raw);
    if (line.empty() || line[0] == '#')
      continue;
    if (line[0] == '+' || line[0] == '-') {
      finish(current, out);
      skipping = true;
      if (line[0] == '-')
        continue;
      bool bad = false;
      current.root = moduleRoot(line.substr(1), modFileDir, bad);
      if (bad)
        warn("a module line needs a name, a version and a path");
      skipping = current.root.empty();
      continue;
    }
    if (skipping)
      continue;
    std::size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) {
      warn("not a module line nor VARIABLE=value");
      continue;
    }
    // "VAR+:=", "VAR:=", "VAR+=", "VAR=": a ':' before '=' makes the value module-relative.
    std::size_t nameEnd = eq;
    bool relative = false;
    if (line[nameEnd - 1] == ':') {
      relative = true;
      --nameEnd;
    }
    if (nameEnd > 0 && line[nameEnd - 1] == '+')
      --nameEnd;
    std::string name = trim(line.substr(0, nameEnd));
    std::string value = trim(line.substr(eq + 1));
    if (value.empty())
      continue;
    std::string dir = relative ? join(current.root, value) : value;
    if (name == "MAYA_PLUG_IN_PATH") {
      current.pluginDirs.push_back(dir);
      current.namedPlugins = true;
    } else if (name == "MAYA_SCRIPT_PATH") {
      current.scriptDirs.push_back(dir);
      current.namedScripts = true;
    }
  }
  finish(current, out);
}

ModuleFolders findModuleFolders(const char* modulePath) {
  ModuleFolders out;
  if (modulePath == nullptr)
    return out;
  std::string value(modulePath);
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find(':', start);
    if (end == std::string::npos)
      end = value.size();
    std::string folder = value.substr(start, end - start);
    start = end + 1;
    if (folder.empty())
      continue;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
      continue;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".mod") == 0)
        names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
      std::string path = folder + "/" + name;
      std::ifstream file(path);
      if (!file) {
        out.warnings.push_back(path + ": cannot be read");
        continue;
      }
      std::ostringstream text;
      text << file.rdbuf();
      parseModuleFile(text.str(), folder, path, out);
    }
  }
  return out;
}

}  // namespace minihost_cli
