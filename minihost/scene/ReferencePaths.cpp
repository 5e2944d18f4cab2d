#include "scene/ReferencePaths.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <set>

namespace minihost::scenefile {
namespace {

// A path has at most this many folders tried below each root; deeper paths are cut there.
constexpr size_t kMaxTails = 64;

bool isFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// $VAR, ${VAR} and %VAR%; an unset variable expands to nothing, as in the host.
std::string expandVariables(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    size_t end = std::string::npos, nameStart = 0;
    if (c == '$' && i + 1 < text.size() && text[i + 1] == '{') {
      end = text.find('}', i + 2);
      nameStart = i + 2;
    } else if (c == '$') {
      end = i + 1;
      while (end < text.size() && isNameChar(text[end]))
        ++end;
      nameStart = i + 1;
      if (end == nameStart)
        end = std::string::npos;
    } else if (c == '%') {
      end = text.find('%', i + 1);
      nameStart = i + 1;
      if (end != std::string::npos && end == nameStart)
        end = std::string::npos;
    }
    if (end == std::string::npos) {
      out += c;
      ++i;
      continue;
    }
    const char* value = std::getenv(text.substr(nameStart, end - nameStart).c_str());
    if (value)
      out += value;
    i = (c == '$' && text[i + 1] != '{') ? end : end + 1;
  }
  return out;
}

std::vector<std::string> parts(const std::string& path) {
  std::vector<std::string> out;
  std::string current;
  for (char c : path) {
    if (c == '/') {
      if (!current.empty())
        out.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty())
    out.push_back(current);
  return out;
}

std::string absoluteFolder(const std::string& folder) {
  char buffer[PATH_MAX];
  if (::realpath(folder.empty() ? "." : folder.c_str(), buffer))
    return buffer;
  return canonicalPath(folder.empty() ? "." : folder);
}

std::string projectRoot(const std::string& sceneFolder) {
  std::string folder = absoluteFolder(sceneFolder);
  for (int guard = 0; guard < 256 && !folder.empty(); ++guard) {
    if (isFile(folder + "/workspace.mel"))
      return folder;
    if (folder == "/")
      break;
    folder = folderOf(folder);
  }
  return std::string();
}

}  // namespace

std::vector<std::string>& referenceSearchPath() {
  static std::vector<std::string> folders;
  return folders;
}

std::vector<std::string> referenceSearchFolders() {
  std::vector<std::string> out = referenceSearchPath();
  if (const char* env = std::getenv("MINIHOST_REFERENCE_PATH")) {
    std::string all(env), current;
    for (char c : all + ":") {
      if (c == ':') {
        if (!current.empty())
          out.push_back(current);
        current.clear();
      } else {
        current += c;
      }
    }
  }
  return out;
}

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string canonicalPath(const std::string& path) {
  std::vector<std::string> kept;
  for (const std::string& p : parts(path)) {
    if (p == ".")
      continue;
    if (p == ".." && !kept.empty() && kept.back() != "..")
      kept.pop_back();
    else
      kept.push_back(p);
  }
  std::string out = !path.empty() && path[0] == '/' ? "/" : "";
  for (size_t i = 0; i < kept.size(); ++i)
    out += (i ? "/" : "") + kept[i];
  return out.empty() ? "." : out;
}

ResolvedPath resolveReferencePath(const std::string& written, const std::string& sceneFolder) {
  ResolvedPath r;
  std::string path = expandVariables(written);
  for (char& c : path) {
    if (c == '\\')
      c = '/';
  }
  const bool drive =
      path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
  const bool absolute = !drive && !path.empty() && path[0] == '/';
  std::set<std::string> seen;
  auto attempt = [&](const std::string& candidate) {
    std::string c = canonicalPath(candidate);
    if (!seen.insert(c).second)
      return false;
    r.tried.push_back(c);
    if (isFile(c)) {
      r.found = true;
      r.path = c;
    }
    return r.found;
  };
  if (absolute && attempt(path))
    return r;
  std::vector<std::string> roots;
  std::string project = projectRoot(sceneFolder);
  if (!project.empty())
    roots.push_back(project);
  roots.push_back(absoluteFolder(sceneFolder));
  for (const std::string& folder : referenceSearchFolders())
    roots.push_back(folder);
  std::vector<std::string> pieces = parts(drive ? path.substr(2) : path);
  for (const std::string& root : roots) {
    // The whole written path first, then with its leading folders dropped one by one.
    for (size_t first = 0; first < pieces.size() && first < kMaxTails; ++first) {
      std::string tail;
      for (size_t k = first; k < pieces.size(); ++k)
        tail += "/" + pieces[k];
      if (attempt(root + tail))
        return r;
    }
  }
  return r;
}

}  // namespace minihost::scenefile
