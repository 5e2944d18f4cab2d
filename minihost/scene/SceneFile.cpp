#include "scene/SceneFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>

#include "scene/LogText.h"
#include "scene/SceneBuilder.h"
#include "scene/SceneLexer.h"
#include "scene/SceneParser.h"

namespace minihost::scenefile {
namespace {

std::string lowerExtension(const std::string& path) {
  size_t slash = path.find_last_of('/');
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return std::string();
  std::string ext = path.substr(dot + 1);
  for (char& c : ext)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

std::string baseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Parses the file, then builds it into the scene with the scene set aside first: a failure at
// any point until the warnings are ready, running out of memory included, puts back exactly
// what was there.
SceneFileResult readUnguarded(SceneLexer& lexer, const std::string& name, Scene& scene,
                              bool opening) {
  SceneFileResult result;
  Scene::SavedScene saved;
  {
    SceneDescription description;
    description.fileName = name;
    ParseResult parsed = parseScene(lexer, description);
    for (const Warning& w : description.warnings)
      result.warnings.push_back(name + ":" + std::to_string(w.line) + ": " + w.text);
    if (parsed.ok) {
      saved = scene.save(!opening);
      try {
        result.ok = buildScene(description, scene, opening, result.warnings, result.error);
      } catch (...) {
        scene.restore(std::move(saved));
        throw;
      }
      if (!result.ok)
        scene.restore(std::move(saved));
    } else {
      result.error = parsed.error;
    }
  }
  try {
    for (std::string& w : result.warnings)
      w = logSafe(w);
    result.warnings = summariseWarnings(result.warnings);
    result.error = logSafe(result.error);
  } catch (...) {
    if (saved)
      scene.restore(std::move(saved));
    throw;
  }
  return result;
}

SceneFileResult read(SceneLexer& lexer, const std::string& name, Scene& scene, bool opening) {
  try {
    return readUnguarded(lexer, name, scene, opening);
  } catch (const std::bad_alloc&) {
    SceneFileResult result;
    result.error = logSafe(name) + ": out of memory while reading the file; the scene is as it was";
    return result;
  } catch (const std::exception& e) {
    SceneFileResult result;
    result.error =
        logSafe(name + ": cannot read the file (" + e.what() + ")") + "; the scene is as it was";
    return result;
  }
}

// Opens a file for reading without waiting: a named pipe without a writer would block open()
// and a device such as /dev/zero never ends, so only regular files are read.
int openRegularFile(const std::string& path, const std::string& name, std::uint64_t& size,
                    std::string& error) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = name + ": cannot open \"" + path + "\"";
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = name + ": cannot read \"" + path + "\"";
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(info.st_mode)) {
    error =
        name + (S_ISDIR(info.st_mode) ? ": \"" + path + "\" is a folder, not a scene file"
                                      : ": \"" + path +
                                            "\" is not a regular file (a pipe, "
                                            "a device or a socket); scenes are read from files");
    ::close(fd);
    return -1;
  }
  int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0)
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  size = static_cast<std::uint64_t>(info.st_size);
  return fd;
}

}  // namespace

bool isSceneFilePath(const std::string& path) {
  std::string ext = lowerExtension(path);
  return ext == "ma" || ext == "mb";
}

SceneFileResult readSceneFile(const std::string& path, Scene& scene, bool opening) {
  SceneFileResult result;
  const std::string name = baseName(path);
  if (lowerExtension(path) == "mb") {
    result.error = name + ": binary scenes (.mb) are not read; only ASCII scenes (.ma) are";
    return result;
  }
  std::uint64_t size = 0;
  int fd = openRegularFile(path, name, size, result.error);
  if (fd < 0) {
    result.error = logSafe(result.error);
    return result;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(::fdopen(fd, "rb"), &std::fclose);
  if (!file) {
    ::close(fd);
    result.error = logSafe(name + ": cannot open \"" + path + "\"");
    return result;
  }
  SceneLexer lexer(file.get(), size);
  return read(lexer, name, scene, opening);
}

SceneFileResult readSceneText(const std::string& text, const std::string& name, Scene& scene,
                              bool opening) {
  SceneLexer lexer(text);
  return read(lexer, name, scene, opening);
}

}  // namespace minihost::scenefile
