#include "boundary/base/TemporaryFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char kSuffix[] = ".tmp";
const std::size_t kRandomLength = 6;  // the XXXXXX that mkstemp replaces

// The target's folder with its trailing slash ("" for the current folder) and its last name.
void splitPath(const GString& target, GString& folder, GString& leaf) {
  const char* text = target.c_str();
  const char* slash = std::strrchr(text, '/');
  if (slash == nullptr) {
    folder.clear();
    leaf = target;
    return;
  }
  folder = GString(text, std::size_t(slash - text) + 1);
  leaf = GString(slash + 1, target.length() - folder.length());
}

// A new file made from a copy of `pattern` (close-on-exec from the start, so no program started
// meanwhile inherits it), which then holds the name made.
int makeFrom(GString& pattern) {
  std::vector<char> name(pattern.c_str(), pattern.c_str() + pattern.length() + 1);
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0)
    pattern = name.data();
  return fd;
}

// Whether the descriptor is still the file of that name.
bool stillNamed(int fd, const char* path) {
  struct stat opened;
  struct stat named;
  return ::fstat(fd, &opened) == 0 && ::lstat(path, &named) == 0 && named.st_dev == opened.st_dev &&
         named.st_ino == opened.st_ino;
}

// Whether `entry` is "<prefix>" followed by the characters mkstemp puts in.
bool isTemporaryName(const char* entry, const GString& prefix) {
  if (std::strncmp(entry, prefix.c_str(), prefix.length()) != 0)
    return false;
  const char* rest = entry + prefix.length();
  if (std::strlen(rest) != kRandomLength)
    return false;
  for (const char* c = rest; *c != '\0'; ++c) {
    const bool alphanumeric =
        (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9');
    if (!alphanumeric)
      return false;
  }
  return true;
}

// Removes `path` when it is a regular file nobody holds the lock of. The lock is taken on the
// file the name refers to and the name checked again before the removal, so a temporary that a
// writer has just renamed over its target is never removed in its place.
void removeIfStale(const char* path) {
  const int fd = ::open(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return;
  struct stat opened;
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      stillNamed(fd, path))
    ::unlink(path);
  ::close(fd);
}

}  // namespace

void removeStaleTemporaries(const GString& target) {
  GString folder, leaf;
  splitPath(target, folder, leaf);
  GString prefix(".");
  prefix += leaf;
  prefix += kSuffix;
  DIR* dir = ::opendir(folder.isEmpty() ? "." : folder.c_str());
  if (dir == nullptr)
    return;
  while (const dirent* entry = ::readdir(dir)) {
    if (!isTemporaryName(entry->d_name, prefix))
      continue;
    GString path = folder;
    path += entry->d_name;
    removeIfStale(path.c_str());
  }
  ::closedir(dir);
}

int makeTemporaryBeside(const GString& target, GString& name) {
  removeStaleTemporaries(target);
  GString folder, leaf;
  splitPath(target, folder, leaf);
  // Another writer's clean-up may see a new temporary in the moment before its lock is taken
  // and remove it; then a new one is made.
  for (int attempt = 0; attempt < 8; ++attempt) {
    GString pattern = folder;
    pattern += '.';
    pattern += leaf;
    pattern += kSuffix;
    pattern += "XXXXXX";
    int fd = makeFrom(pattern);
    if (fd < 0 && errno == ENAMETOOLONG) {
      // A target name near the length limit leaves no room for the prefix and suffix.
      pattern = folder;
      pattern += ".vxr.tmpXXXXXX";
      fd = makeFrom(pattern);
    }
    if (fd < 0)
      return -1;
    // Held until the descriptor is closed, also when the process ends by a signal: what marks
    // the temporary as in use.
    ::flock(fd, LOCK_EX);
    if (stillNamed(fd, pattern.c_str())) {
      name = pattern;
      return fd;
    }
    ::close(fd);
  }
  return -1;
}
