#include "tools/vxrinfo/convert/GltfConvert.h"

#include <sys/stat.h>

#include <string>
#include <vector>

#include "tools/vxrinfo/Vxrinfo.h"
#include "tools/vxrinfo/VxrinfoOptions.h"
#include "tools/vxrinfo/convert/GltfWriter.h"
#include "tools/vxrinfo/files/AnimationFile.h"
#include "tools/vxrinfo/files/MeshFile.h"
#include "tools/vxrinfo/text/TextSink.h"

namespace {

bool sameFile(const std::string& a, const std::string& b) {
  struct stat first;
  struct stat second;
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// The inputs sorted by kind and checked in full; false (with the reason reported) when one is
// not usable.
struct Inputs {
  AnimationFile animation;
  bool hasAnimation = false;
  std::vector<std::string> meshes;
};

int gatherInputs(const VxrinfoOptions& options, Inputs& inputs, TextSink& out) {
  const std::string binPath = gltfBufferPath(options.outputPath);
  for (const std::string& path : options.files) {
    if (sameFile(path, options.outputPath) || (!binPath.empty() && sameFile(path, binPath))) {
      out.put(path + ": the output file is this input file; nothing written\n");
      return kExitUsage;
    }
  }
  for (const std::string& path : options.files) {
    const FileIdentity id = identifyFile(path);
    if (id.kind == FileIdentity::Kind::animation && !inputs.hasAnimation) {
      inputs.hasAnimation = true;
      inputs.animation.path = path;
      inputs.animation.identity = id;
      loadAnimationFile(inputs.animation);
      listFaults(path, inputs.animation.faults, out);
      if (inputs.animation.faults.hasErrors()) {
        out.put(path + ": damaged, nothing written\n");
        return kExitDamaged;
      }
    } else if (id.kind == FileIdentity::Kind::mesh) {
      FaultList faults;
      MeshRecordVisitor checkOnly;
      readMeshFile(path, checkOnly, faults);
      listFaults(path, faults, out);
      if (faults.hasErrors()) {
        out.put(path + ": damaged, nothing written\n");
        return kExitDamaged;
      }
      inputs.meshes.push_back(path);
    } else {
      const std::string why =
          id.kind == FileIdentity::Kind::animation
              ? "a second animation file; --gltf takes one animation file and mesh files"
              : (id.reason.empty() ? std::string("not a file vxrinfo knows") : id.reason);
      out.put(path + ": " + why + ", nothing written\n");
      return kExitDamaged;
    }
  }
  return kExitOk;
}

}  // namespace

int convertToGltf(const VxrinfoOptions& options, TextSink& out) {
  Inputs inputs;
  const int status = gatherInputs(options, inputs, out);
  if (status != kExitOk)
    return status;
  GltfShot shot;
  if (inputs.hasAnimation) {
    shot = buildGltfShot(inputs.animation.document, options.gltf);
    const std::string& path = inputs.animation.path;
    for (const std::string& refusal : shot.refusals)
      out.put(path + ": cannot be written as glTF: " + refusal + "\n");
    if (!shot.refusals.empty()) {
      out.put(options.outputPath + ": nothing written\n");
      return kExitDamaged;
    }
    for (const std::string& note : shot.notes)
      out.put(path + ": note: " + note + "\n");
  }
  FaultList meshFaults;
  const GltfWriteReport report = writeGltf(options.outputPath, shot, inputs.meshes, meshFaults);
  switch (report.result) {
    case GltfWriteResult::written:
      return kExitOk;
    case GltfWriteResult::inputDamaged:
      listFaults(report.failedPath, meshFaults, out);
      out.put(report.failedPath + ": changed while it was read, nothing written\n");
      return kExitDamaged;
    case GltfWriteResult::tooLarge:
      out.put(report.failedPath +
              ": the data needs more than the 4 GiB a .glb can hold; write a "
              ".gltf instead, nothing written\n");
      return kExitOutputFailed;
    case GltfWriteResult::outputFailed:
      break;
  }
  out.put(report.failedPath + ": cannot be written\n");
  return kExitOutputFailed;
}
