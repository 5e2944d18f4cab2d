#include "scene/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace minihost::scenefile {

FileHandle openRegularFile(const std::string& path, const std::string& name, std::uint64_t& size,
                           std::string& error) {
  FileHandle none(nullptr, &std::fclose);
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = name + ": cannot open \"" + path + "\"";
    return none;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = name + ": cannot read \"" + path + "\"";
    ::close(fd);
    return none;
  }
  if (!S_ISREG(info.st_mode)) {
    error = name + (S_ISDIR(info.st_mode) ? ": \"" + path + "\" is a folder, not a scene file"
                                          : ": \"" + path +
                                                "\" is not a regular file (a pipe, a device or "
                                                "a socket); scenes are read from files");
    ::close(fd);
    return none;
  }
  int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0)
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  FileHandle file(::fdopen(fd, "rb"), &std::fclose);
  if (!file) {
    ::close(fd);
    error = name + ": cannot open \"" + path + "\"";
    return none;
  }
  size = static_cast<std::uint64_t>(info.st_size);
  return file;
}

}  // namespace minihost::scenefile
