// Runs the mesh export command with arguments made from arbitrary bytes (see CommandArgBytes.h:
// the options "-file" and "-frame" and near misses of them, integers, doubles, Booleans, names,
// paths inside the fuzzer's folder and in a folder that does not exist). The plug-in is loaded
// into the stand-in host once, with a small cube selected, so every accepted call writes a file.
//
// Writes stay inside a private folder made at start: the command runs with that folder as the
// current one (a relative name, or no -file at all, lands there), and every path the bytes make
// begins with it. After each input the folder is emptied again, and at exit it is removed, so
// every input starts from the same state.
//
// Beyond the sanitizers' findings each call is checked against the command's rules, walked
// here over the same argument list: a missing or ill-typed value fails the call and writes
// nothing; otherwise the call writes exactly one file, named from the last -file value, the last
// -frame value formatted as ".%04d" and ".vxrmesh", holding the same bytes as a reference export
// of the cube; it may fail only where that file cannot be created, and then leaves nothing.
#include <maya/MArgList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "LoadedPlugin.h"
#include "engine/CommandResult.h"
#include "engine/PluginRegistry.h"
#include "fuzz/CommandArgBytes.h"
#include "mel/host/MelHost.h"

namespace {

const char kCommand[] = "VXR_MeshExportCmd";

std::string folder;
int folderFd = -1;
int startFd = -1;
std::string reference;  // the bytes of an export of the selected cube

// The names in the folder, without "." and "..".
std::vector<std::string> folderEntries() {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..")
        names.push_back(name);
    }
    ::closedir(dir);
  }
  return names;
}

void emptyFolder() {
  for (const std::string& name : folderEntries())
    ::unlinkat(folderFd, name.c_str(), 0);
}

void removeFolder() {
  emptyFolder();
  ::rmdir(folder.c_str());
}

void fail(const char* what, const std::string& name) {
  std::fprintf(stderr, "%s: %s \"%s\"\n", kCommand, what, name.c_str());
  removeFolder();
  std::abort();
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the command in the folder, then returns to where the fuzzer started.
bool run(const MArgList& args) {
  if (::fchdir(folderFd) != 0)
    fail("cannot enter the folder", folder);
  minihost::CommandResult result;
  const MStatus status = minihost::PluginRegistry::get().runCommand(kCommand, args, result);
  if (::fchdir(startFd) != 0)
    fail("cannot return to the start folder", folder);
  return static_cast<bool>(status);
}

struct ExpectedCall {
  bool accepted = true;
  std::string base;
  bool frameGiven = false;
  int frame = 0;
};

// The command's walk over its arguments: "-file" and "-frame" take the next argument (a text,
// an integer); a later one overrides an earlier one; anything else is passed over.
ExpectedCall expectedCall(const MArgList& args) {
  ExpectedCall call;
  MStatus status;
  for (unsigned int i = 0; i < args.length(); ++i) {
    const MString word = args.asString(i, &status);
    if (word == "-file") {
      const MString value = args.asString(++i, &status);
      call.base.assign(value.asChar(), value.length());
    } else if (word == "-frame") {
      call.frameGiven = true;
      call.frame = args.asInt(++i, &status);
    }
    if (!status) {
      call.accepted = false;
      break;
    }
  }
  return call;
}

// The file name relative to the folder.
std::string expectedName(const ExpectedCall& call) {
  std::string name = call.base;
  const std::string prefix = folder + "/";
  if (name.compare(0, prefix.size(), prefix) == 0)
    name.erase(0, prefix.size());
  if (call.frameGiven) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%04d", call.frame);
    name += suffix;
  }
  return name + ".vxrmesh";
}

// Whether a file of that name can be made in the folder; one that can is removed again. A name
// holding a NUL byte names no file the system can make.
bool creatable(const std::string& name) {
  if (name.find('\0') != std::string::npos)
    return false;
  const int fd = ::openat(folderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0)
    return false;
  ::close(fd);
  ::unlinkat(folderFd, name.c_str(), 0);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  mel::MelHost& host = loadPluginOrAbort();
  if (!host.runTopLevelText("polyCube -n fuzzCube; select -r fuzzCube;")) {
    std::fprintf(stderr, "cannot make the cube to export\n");
    std::abort();
  }
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern =
      std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/vxr-fuzz-mesh-export-XXXXXX";
  if (::mkdtemp(&pattern[0]) == nullptr) {
    std::fprintf(stderr, "cannot make a folder from %s\n", pattern.c_str());
    std::abort();
  }
  folder = pattern;
  folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  startFd = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0 || startFd < 0)
    std::abort();
  std::atexit(removeFolder);

  MArgList args;
  args.addArg(MString("-file"));
  args.addArg(MString((folder + "/reference").c_str()));
  if (!run(args))
    fail("cannot write the reference export", folder + "/reference.vxrmesh");
  reference = readFile(folder + "/reference.vxrmesh");
  if (reference.size() < 5 || reference.compare(0, 5, std::string("VXpm\0", 5)) != 0)
    fail("the reference export is no mesh file", folder + "/reference.vxrmesh");
  emptyFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace meshArgs;
  ArgByteReader bytes(data, size);
  MArgList args;
  while (!bytes.done()) {
    switch (bytes.take(1) % kKinds) {
      case kOption:
        args.addArg(MString(kOptions[bytes.take(1) % kOptionCount]));
        break;
      case kInt:
        args.addArg(static_cast<int>(bytes.take(4)));
        break;
      case kSmallInt:
        args.addArg(static_cast<int>(static_cast<std::int8_t>(bytes.take(1))));
        break;
      case kDouble:
        args.addArg(bytes.takeDouble());
        break;
      case kBool:
        args.addArg((bytes.take(1) & 1) != 0);
        break;
      case kName: {
        const std::string text = bytes.takeName(kNameLimit, true);
        args.addArg(MString(text.c_str(), static_cast<int>(text.size())));
        break;
      }
      case kPath:
        args.addArg(MString((folder + "/" + bytes.takeName(kPathNameLimit, false)).c_str()));
        break;
      default:
        args.addArg(
            MString((folder + "/missing/" + bytes.takeName(kPathNameLimit, false)).c_str()));
        break;
    }
  }

  const ExpectedCall call = expectedCall(args);
  const bool succeeded = run(args);
  const std::vector<std::string> written = folderEntries();
  const std::string name = expectedName(call);

  if (!call.accepted) {
    if (succeeded)
      fail("took an argument list with a missing or ill-typed value", name);
    if (!written.empty())
      fail("wrote a file for a refused argument list", written.front());
  } else if (succeeded) {
    if (written.size() != 1 || written.front() != name)
      fail("wrote other files than", name);
    if (readFile(folder + "/" + name) != reference)
      fail("wrote other bytes than the reference export into", name);
  } else {
    if (!written.empty())
      fail("left a file behind after failing to write", written.front());
    if (creatable(name))
      fail("failed on a file that can be written", name);
  }
  emptyFolder();
  return 0;
}
