#pragma once
// The names in a folder, for tests that check what a write left behind.

#include <dirent.h>

#include <algorithm>
#include <string>
#include <vector>

// The folder's entries other than "." and "..", sorted; empty when it cannot be read.
inline std::vector<std::string> entriesOf(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir)
    return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..")
      names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}
