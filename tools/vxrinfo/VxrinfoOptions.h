#pragma once

#include <string>
#include <vector>

#include "tools/vxrinfo/convert/GltfShot.h"
#include "tools/vxrinfo/plot/PlotScene.h"

// The command line of vxrinfo.
struct VxrinfoOptions {
  enum class Mode { summary, json, check, obj, plot, gltf, help };

  Mode mode = Mode::summary;
  std::string outputPath;     // --obj, --plot and --gltf
  AnimationPlotOptions plot;  // --frames and --all-tracks, for --plot
  GltfOptions gltf;           // --fps and --start-frame, for --gltf
  bool gltfTiming = false;    // --fps or --start-frame given
  std::vector<std::string> files;
};

// Exit codes, also documented in the usage text and docs/vxrinfo.md.
enum VxrinfoExit {
  kExitOk = 0,            // every file read whole and valid (warnings allowed)
  kExitDamaged = 1,       // a file is damaged, truncated, unknown, unreadable or of the wrong kind
  kExitUsage = 2,         // the command line is wrong
  kExitOutputFailed = 3,  // the OBJ, SVG or glTF file could not be written
};

// Parses the arguments after the program name. False with `error` set when they make no sense.
bool parseVxrinfoOptions(const std::vector<std::string>& args, VxrinfoOptions& options,
                         std::string& error);

const char* vxrinfoUsage();
