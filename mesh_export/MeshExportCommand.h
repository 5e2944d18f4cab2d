#pragma once

#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>

// The command "VXR_MeshExportCmd": writes the selected polygon meshes into one mesh file.
//
//   VXR_MeshExportCmd -file <base> [-frame <n>]
//
// The file is <base>, then ".%04d" of the frame when one is given, then ".vxrmesh". The frame only
// names the file; a script that writes one file per frame sets the time itself. Options are exact,
// case-sensitive words, each followed by one value; the later of a repeated option wins and any
// other word is skipped. A missing or unreadable value fails the command before any file is made;
// so does a file that cannot be created or written, with a message naming it.
class MeshExportCommand : public MPxCommand {
 public:
  static constexpr const char* kName = "VXR_MeshExportCmd";

  MeshExportCommand();
  ~MeshExportCommand() override;

  MStatus doIt(const MArgList& args) override;

  static void* creator();

 private:
  MStatus status;  // the running status of one execution, handed to the argument readers
};
