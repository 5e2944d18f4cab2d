// Runs the animation import command with arguments made from arbitrary bytes, against a loaded
// document. The plug-in is loaded into the stand-in host once. Each input is a sequence of
// arguments: one byte picks the kind (a known option, an integer, a number, a string, the
// loaded document's handle, the path of the valid file) and the following bytes give its value.
// Documents the input opens are closed again, and the loaded one is reopened should the input
// close it, so every input starts from the same state.
#include <maya/MArgList.h>
#include <maya/MString.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "LoadedPlugin.h"
#include "anim_model/AnimationFileHeader.h"
#include "anim_model/CameraKey.h"
#include "anim_model/LightKey.h"
#include "anim_model/VXRAnimation_Camera.h"
#include "anim_model/VXRAnimation_CameraList.h"
#include "anim_model/VXRAnimation_Light.h"
#include "anim_model/VXRAnimation_LightList.h"
#include "boundary/base/ofpstream.h"
#include "engine/CommandResult.h"
#include "engine/PluginRegistry.h"
#include "fuzz/CommandArgBytes.h"
#include "mel/host/MelHost.h"

namespace {

const char kCommand[] = "VXR_AnimationImportCmd";

std::string folder;
std::string validFile;
int loadedHandle = 0;

// The valid file and its folder go when the fuzzer exits.
void removeValidFile() {
  std::remove(validFile.c_str());
  ::rmdir(folder.c_str());
}

void writeValidFile(const std::string& file) {
  VXRAnimation_CameraList cameras;
  VXRAnimation_LightList lights;
  for (int c = 0; c < 2; ++c) {
    auto* track = new VXRAnimation_Camera();
    track->setName(GString(c == 0 ? "|cam1|cam1Shape" : "|cam2|cam2Shape"));
    for (int k = 0; k < 3; ++k) {
      auto* key = new CameraKey();
      key->frame = k + 1;
      key->projector.plane.setPlaneParameters(Vector3D(0, 0, -1), Vector3D(0, 0, -1),
                                              Vector3D(0, 1, 0));
      key->projector.window.size = Vector2D(0.8, 0.6);
      key->projector.eyeOffset = Vector3D(0, 0, 1);
      key->projector.perspective = 1;
      track->v_insert(key);
    }
    cameras.v_insert(track);
  }
  for (std::uint8_t type = LightKey::kDirectional; type <= LightKey::kSpot; ++type) {
    auto* track = new VXRAnimation_Light();
    track->setName(GString("|light|lightShape"));
    auto* key = new LightKey();
    key->type = type;
    key->frame = 1;
    track->v_insert(key);
    lights.v_insert(track);
  }
  ofpstream out(file.c_str(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  AnimationFileHeader header;
  header.write(out, cameras);
  header.writeLights(out, lights);
  if (!out.close())
    std::abort();
}

// Runs the command; the integer it set, or 0.
int run(const MArgList& args, bool* succeeded = nullptr) {
  minihost::CommandResult result;
  const MStatus status = minihost::PluginRegistry::get().runCommand(kCommand, args, result);
  if (succeeded != nullptr)
    *succeeded = static_cast<bool>(status);
  if (!status || result.kind != minihost::CommandResult::Kind::kInt || result.ints.empty())
    return 0;
  return result.ints.front();
}

int openValidFile() {
  MArgList args;
  args.addArg(MString("-open"));
  args.addArg(MString(validFile.c_str()));
  return run(args);
}

bool documentLoaded(int handle) {
  MArgList args;
  args.addArg(MString("-id"));
  args.addArg(handle);
  args.addArg(MString("-cameras"));
  bool succeeded = false;
  run(args, &succeeded);
  return succeeded;
}

void closeDocument(int handle) {
  MArgList args;
  args.addArg(MString("-id"));
  args.addArg(handle);
  args.addArg(MString("-close"));
  run(args);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  loadPluginOrAbort();
  char pattern[] = "/tmp/vxr-fuzz-import-XXXXXX";
  if (::mkdtemp(pattern) == nullptr)
    std::abort();
  folder = pattern;
  validFile = folder + "/valid.vxranim";
  writeValidFile(validFile);
  std::atexit(removeValidFile);
  loadedHandle = openValidFile();
  if (loadedHandle == 0)
    std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace importArgs;
  ArgByteReader bytes(data, size);
  MArgList args;
  bool opens = false;
  while (!bytes.done()) {
    switch (bytes.take(1) % kKinds) {
      case kOption: {
        const char* option = kOptions[bytes.take(1) % kOptionCount];
        opens = opens || std::strcmp(option, "-open") == 0;
        args.addArg(MString(option));
        break;
      }
      case kInt:
        args.addArg(static_cast<int>(bytes.take(4)));
        break;
      case kDouble:
        args.addArg(bytes.takeDouble());
        break;
      case kName: {
        // Without a slash an opened name never leaves the current folder.
        const std::string text = bytes.takeName(kNameLimit, true);
        args.addArg(MString(text.c_str(), static_cast<int>(text.size())));
        break;
      }
      case kLoadedHandle:
        args.addArg(loadedHandle);
        break;
      default:
        args.addArg(MString(validFile.c_str()));
        break;
    }
  }
  const int result = run(args);
  if (opens && result != 0 && result != loadedHandle)
    closeDocument(result);
  if (!documentLoaded(loadedHandle)) {
    loadedHandle = openValidFile();
    if (loadedHandle == 0)
      std::abort();
  }
  return 0;
}
