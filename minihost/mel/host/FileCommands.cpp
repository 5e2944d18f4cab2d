// file: new scene, import and open through a translator, export all or the selection.

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <system_error>

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>

#include "engine/PluginRegistry.h"
#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"
#include "mel/host/ReferenceCommands.h"
#include "scene/ReferenceTable.h"
#include "scene/SceneFile.h"
#include "scene/SceneReferences.h"

namespace mel::host {

namespace {

using Mode = MPxFileTranslator::FileAccessMode;

// identifyFile takes its buffer size as a short; the host hands over the file's start.
constexpr std::size_t kIdentifyBytes = 4096;

minihost::PluginRegistry& registry() {
  return minihost::PluginRegistry::get();
}

// The full name of the file the scene was opened from, empty while it is untitled: what
// `file -query -sceneName` answers.
std::string& currentSceneName() {
  static std::string name;
  return name;
}

std::string fullName(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.lexically_normal().generic_string();
}

void openedFrom(const std::string& path) {
  currentSceneName() = fullName(path);
}

std::string extensionOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return std::string();
  return path.substr(dot + 1);
}

// Restores the access mode when a file operation ends, however it ends.
class AccessModeScope {
 public:
  explicit AccessModeScope(Mode mode) : saved_(registry().accessMode()) {
    registry().setAccessMode(mode);
  }
  ~AccessModeScope() { registry().setAccessMode(saved_); }
  AccessModeScope(const AccessModeScope&) = delete;
  AccessModeScope& operator=(const AccessModeScope&) = delete;

 private:
  Mode saved_;
};

// The translator named by -type, or for reading the one whose identifyFile claims the
// file's first bytes (a sure answer beats a maybe; registration order breaks ties).
bool chooseReader(CommandCall& call, const std::string& type, const std::string& path,
                  std::unique_ptr<MPxFileTranslator>& out) {
  if (!type.empty()) {
    out = registry().createTranslator(type);
    if (!out)
      return call.failNamed("Unknown file type: " + type);
    if (!out->haveReadMethod())
      return call.failNamed("The " + type + " translator cannot read.");
    return true;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return call.failNamed("Cannot open \"" + path + "\".");
  std::vector<char> buffer(kIdentifyBytes);
  in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  short size = static_cast<short>(in.gcount());
  MFileObject file;
  file.setRawFullName(MString(path.c_str()));
  std::unique_ptr<MPxFileTranslator> maybe;
  for (const std::string& name : registry().translatorNames()) {
    std::unique_ptr<MPxFileTranslator> t = registry().createTranslator(name);
    if (!t || !t->haveReadMethod())
      continue;
    MPxFileTranslator::MFileKind kind = t->identifyFile(file, buffer.data(), size);
    if (kind == MPxFileTranslator::kIsMyFileType) {
      out = std::move(t);
      return true;
    }
    if (kind == MPxFileTranslator::kCouldBeMyFileType && !maybe)
      maybe = std::move(t);
  }
  if (maybe) {
    out = std::move(maybe);
    return true;
  }
  return call.failNamed("Unrecognized file type: \"" + path + "\".");
}

bool chooseWriter(CommandCall& call, const std::string& type, const std::string& path,
                  std::unique_ptr<MPxFileTranslator>& out) {
  if (!type.empty()) {
    out = registry().createTranslator(type);
    if (!out)
      return call.failNamed("Unknown file type: " + type);
  } else {
    std::string ext = extensionOf(path);
    for (const std::string& name : registry().translatorNames()) {
      std::unique_ptr<MPxFileTranslator> t = registry().createTranslator(name);
      if (t && t->haveWriteMethod() && !ext.empty() && ext == t->defaultExtension().asChar()) {
        out = std::move(t);
        break;
      }
    }
    if (!out)
      return call.failNamed("No file type given (-type) and none writes \"." + ext + "\" files.");
  }
  if (!out->haveWriteMethod())
    return call.failNamed("The " + type + " translator cannot write.");
  return true;
}

// Scene files of the host itself are read by the batch host's own reader, never run.
bool readSceneFile(CommandCall& call, const std::string& path, bool opening,
                   const std::string& nameSpace) {
  minihost::scenefile::SceneFileResult result =
      opening ? minihost::scenefile::readSceneFile(path, scene(), true)
              : minihost::scenefile::importFile(path, nameSpace, scene());
  // The file is read by now: running out of memory while telling its warnings loses them,
  // never the scene.
  try {
    for (const std::string& warning : result.warnings)
      call.interp.reportWarning(warning, false);
  } catch (const std::bad_alloc&) {
  }
  if (!result.ok)
    return call.failNamed(result.error);
  if (opening)
    openedFrom(path);
  call.result = Value(path);
  return true;
}

// A named pipe, a device or a folder is refused before anything opens it: opening a pipe
// without a writer waits for ever, and a device such as /dev/zero never ends.
bool refuseSpecialFile(CommandCall& call, const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode))
    return false;
  call.failNamed(S_ISDIR(info.st_mode)
                     ? "\"" + path + "\" is a folder, not a file."
                     : "\"" + path + "\" is not a regular file (a pipe, a device or a socket).");
  return true;
}

// Opens a translator's file with the scene set aside first: a refused open leaves the scene as
// it was, also when the reader runs out of memory. An import adds to the scene through the
// translator's own commands and keeps what they did, as the host does; copying the whole scene
// before every import would make a script that imports many files cost the square of their
// count.
bool readWithTranslator(CommandCall& call, MPxFileTranslator& translator, const MFileObject& file,
                        const std::string& options, Mode mode, const std::string& path) {
  minihost::Scene::SavedScene saved;
  if (mode == MPxFileTranslator::kOpenAccessMode)
    saved = scene().save(false);
  MStatus status;
  try {
    if (mode == MPxFileTranslator::kOpenAccessMode)
      scene().newScene();
    status = translator.reader(file, MString(options.c_str()), mode);
  } catch (...) {
    if (saved)
      scene().restore(std::move(saved));
    throw;
  }
  if (!status) {
    if (saved)
      scene().restore(std::move(saved));
    return call.failNamed("Error reading file \"" + path + "\".");
  }
  // The opened file is the scene now: the references of the one it replaced are gone with it.
  if (mode == MPxFileTranslator::kOpenAccessMode) {
    minihost::scenefile::ReferenceTable::get().clear();
    openedFrom(path);
  }
  call.result = Value(path);
  return true;
}

bool isSceneFileType(const std::string& type) {
  return type == "mayaAscii" || type == "mayaBinary";
}

bool cmdFile(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"new", "newFile", 0},
                    {"f", "force", 0},
                    {"i", "import", 0},
                    {"o", "open", 0},
                    {"ea", "exportAll", 0},
                    {"es", "exportSelected", 0},
                    {"ex", "export", 0},
                    {"typ", "type", 1},
                    {"op", "options", 1},
                    {"pr", "preserveReferences", 0},
                    {"ignoreVersion", "ignoreVersion", 0},
                    {"sn", "sceneName", 0},
                    {"r", "reference", 0},
                    {"lr", "loadReference", 1},
                    {"ur", "unloadReference", 1},
                    {"ns", "namespace", 1},
                    {"shn", "shortName", 0},
                    {"un", "unresolvedName", 0},
                    {"wcn", "withoutCopyNumber", 0}},
                   true, false)) {
    return false;
  }
  if (flags.query) {
    if (flags.has("sceneName")) {
      std::string name = currentSceneName();
      if (flags.has("shortName"))
        name = name.substr(name.find_last_of('/') + 1);
      call.result = Value(name);
      return true;
    }
    if (flags.has("reference")) {
      const std::string& scene = currentSceneName();
      return queryFileReferences(
          call, flags,
          flags.positional.empty() ||
              (!scene.empty() && fullName(flags.positional[0].asString()) == scene));
    }
    return call.failNamed("Nothing to query.");
  }
  if (flags.has("newFile")) {
    scene().newScene();
    minihost::scenefile::ReferenceTable::get().clear();  // a new scene references nothing
    currentSceneName().clear();                          // and is untitled
    call.result = Value(std::string("untitled"));
    return true;
  }
  bool handled = false;
  if (fileReferenceFlags(call, flags, handled))
    return handled;
  std::string type = flags.value("type").asString();
  std::string options = flags.value("options").asString();
  bool reading = flags.has("import") || flags.has("open");
  bool writing = flags.has("exportAll") || flags.has("exportSelected") || flags.has("export");
  if (!reading && !writing) {
    return call.failNamed("Expected -new, -import, -open, -exportAll or -exportSelected.");
  }
  if (reading && writing)
    return call.failNamed("A file is read or written, not both.");
  if (flags.positional.size() != 1)
    return call.failNamed("Expected one file name.");
  std::string path = flags.positional[0].asString();
  MFileObject file;
  file.setRawFullName(MString(path.c_str()));
  std::unique_ptr<MPxFileTranslator> translator;
  if (reading && refuseSpecialFile(call, path))
    return false;
  if (reading &&
      (isSceneFileType(type) || (type.empty() && minihost::scenefile::isSceneFilePath(path)))) {
    return readSceneFile(call, path, flags.has("open"), flags.value("namespace").asString());
  }
  if (reading) {
    Mode mode = flags.has("open") ? MPxFileTranslator::kOpenAccessMode
                                  : MPxFileTranslator::kImportAccessMode;
    AccessModeScope scope(mode);
    if (!chooseReader(call, type, path, translator))
      return false;
    return readWithTranslator(call, *translator, file, options, mode, path);
  }
  Mode mode = flags.has("exportSelected") ? MPxFileTranslator::kExportActiveAccessMode
                                          : MPxFileTranslator::kExportAccessMode;
  AccessModeScope scope(mode);
  if (!chooseWriter(call, type, path, translator))
    return false;
  MStatus status = translator->writer(file, MString(options.c_str()), mode);
  if (!status)
    return call.failNamed("Error writing file \"" + path + "\".");
  call.result = Value(path);
  return true;
}

}  // namespace

void registerFileCommands(Interpreter& interp) {
  interp.commands().set("file", cmdFile);
}

}  // namespace mel::host
