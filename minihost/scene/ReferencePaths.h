#pragma once
// Where a referenced file is, found as the host finds it: the path as written, with environment
// variables expanded ($VAR, ${VAR}, %VAR%) and Windows backslashes turned; then, for a path
// that is not there, the same path relative to the project root (the nearest folder above the
// referencing scene that holds "workspace.mel"), to the referencing scene's own folder and to
// each folder of the user's search path, dropping leading folders of the written path one by
// one ("C:/show/assets/cam.ma" is tried as "show/assets/cam.ma", "assets/cam.ma", "cam.ma").

#include <string>
#include <vector>

namespace minihost::scenefile {

// The user's reference search path: folders from the environment variable
// MINIHOST_REFERENCE_PATH (':'-separated) and from the batch host's --reference-path option.
std::vector<std::string>& referenceSearchPath();
std::vector<std::string> referenceSearchFolders();

struct ResolvedPath {
  bool found = false;
  std::string path;                // the file found
  std::vector<std::string> tried;  // every candidate looked at, in order
};

ResolvedPath resolveReferencePath(const std::string& written, const std::string& sceneFolder);

// "a/b/../c" made plain, for telling two spellings of one file apart.
std::string canonicalPath(const std::string& path);
std::string folderOf(const std::string& path);

}  // namespace minihost::scenefile
