#include "tools/vxrinfo/VxrinfoOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// A whole frame number, optionally signed, filling all of `text`.
bool parseFrame(const std::string& text, std::int32_t& frame) {
  if (text.empty() || text.find_first_not_of("+-0123456789") != std::string::npos)
    return false;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    return false;
  frame = static_cast<std::int32_t>(value);
  return true;
}

// "FIRST:LAST", both included.
bool parseFrameRange(const std::string& text, AnimationPlotOptions& plot, std::string& error) {
  const std::size_t colon = text.find(':', 1);
  if (colon == std::string::npos || !parseFrame(text.substr(0, colon), plot.firstFrame) ||
      !parseFrame(text.substr(colon + 1), plot.lastFrame)) {
    error = "--frames needs FIRST:LAST, two whole frame numbers, not \"" + text + "\"";
    return false;
  }
  if (plot.firstFrame > plot.lastFrame) {
    error = "--frames " + text + ": the first frame is after the last";
    return false;
  }
  plot.frameRange = true;
  return true;
}

// A frame rate: a finite number above 0.
bool parseRate(const std::string& text, double& rate) {
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || errno != 0 || *end != '\0' || !(value > 0.0) || !std::isfinite(value))
    return false;
  rate = value;
  return true;
}

bool isConversion(VxrinfoOptions::Mode mode) {
  return mode == VxrinfoOptions::Mode::obj || mode == VxrinfoOptions::Mode::plot ||
         mode == VxrinfoOptions::Mode::gltf;
}

bool setMode(VxrinfoOptions& options, VxrinfoOptions::Mode mode, std::string& error) {
  if (options.mode != VxrinfoOptions::Mode::summary && options.mode != mode) {
    error = "--json, --check, --obj, --plot and --gltf exclude each other";
    return false;
  }
  if (options.mode == mode && isConversion(mode)) {
    error = "only one output file can be given";
    return false;
  }
  options.mode = mode;
  return true;
}

}  // namespace

const char* vxrinfoUsage() {
  return "Usage: vxrinfo [--json | --check] FILE...\n"
         "       vxrinfo --obj OUT.obj MESHFILE\n"
         "       vxrinfo --plot OUT.svg [--frames FIRST:LAST] [--all-tracks] ANIMATIONFILE\n"
         "       vxrinfo --gltf OUT.glb|OUT.gltf [--fps RATE] [--start-frame FRAME]\n"
         "               [ANIMATIONFILE] [MESHFILE...]\n"
         "       vxrinfo --help\n"
         "\n"
         "Shows what animation (.vxranim) and mesh (.vxrmesh) files hold. The kind of each\n"
         "file is told by its content, not its name; an empty file is an empty mesh file.\n"
         "\n"
         "  (no option)    a summary of each file: tracks, key counts and frame ranges, light\n"
         "                 types; mesh records with their counts and bounding boxes\n"
         "  --json         everything in each file, every key and every mesh value, as one\n"
         "                 JSON document per file, one document per line\n"
         "  --check        validates each file in full and prints what is wrong and where\n"
         "                 (byte offset, record, field)\n"
         "  --obj OUT.obj  converts a mesh file to a Wavefront OBJ file, one object per record\n"
         "  --plot OUT.svg draws an animation file from above and from the side, framed on the\n"
         "                 cameras and lights that move: camera paths with frame numbers,\n"
         "                 direction of travel and view pyramids, lights, a scale bar, a legend\n"
         "  --frames FIRST:LAST  with --plot: only the keys of these frames (both included)\n"
         "  --all-tracks   with --plot: frame the views on every track, also the still ones\n"
         "  --gltf OUT     converts the cameras, lights and meshes of a shot to glTF 2.0: a\n"
         "                 binary .glb, or a .gltf with its data in a .bin beside it\n"
         "  --fps RATE     with --gltf: frames per second (default 24)\n"
         "  --start-frame FRAME  with --gltf: the frame at time 0 (default 0)\n"
         "  --help         shows this text\n"
         "  --             ends the options; every later argument is a file\n"
         "\n"
         "Output files are replaced whole or not at all. Exit status: 0 when every file is\n"
         "valid; 1 when a file is damaged, truncated, unknown, unreadable or of the wrong kind;\n"
         "2 for a wrong command line; 3 when the output file could not be written.\n";
}

bool parseVxrinfoOptions(const std::vector<std::string>& args, VxrinfoOptions& options,
                         std::string& error) {
  options = VxrinfoOptions();
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      options.files.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      options.mode = VxrinfoOptions::Mode::help;
      return true;
    } else if (arg == "--json") {
      if (!setMode(options, VxrinfoOptions::Mode::json, error))
        return false;
    } else if (arg == "--check") {
      if (!setMode(options, VxrinfoOptions::Mode::check, error))
        return false;
    } else if (arg == "--obj" || arg == "--plot" || arg == "--gltf") {
      const VxrinfoOptions::Mode mode = arg == "--obj"    ? VxrinfoOptions::Mode::obj
                                        : arg == "--plot" ? VxrinfoOptions::Mode::plot
                                                          : VxrinfoOptions::Mode::gltf;
      if (!setMode(options, mode, error))
        return false;
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        error = arg + " needs an output file";
        return false;
      }
      options.outputPath = args[++i];
    } else if (arg == "--frames") {
      if (i + 1 >= args.size()) {
        error = "--frames needs FIRST:LAST";
        return false;
      }
      if (options.plot.frameRange) {
        error = "only one --frames can be given";
        return false;
      }
      if (!parseFrameRange(args[++i], options.plot, error))
        return false;
    } else if (arg == "--fps") {
      if (i + 1 >= args.size() || !parseRate(args[i + 1], options.gltf.framesPerSecond)) {
        error = "--fps needs a frame rate above 0";
        return false;
      }
      ++i;
      options.gltfTiming = true;
    } else if (arg == "--start-frame") {
      if (i + 1 >= args.size() || !parseFrame(args[i + 1], options.gltf.startFrame)) {
        error = "--start-frame needs a whole frame number";
        return false;
      }
      ++i;
      options.gltfTiming = true;
    } else if (arg == "--all-tracks") {
      options.plot.allTracks = true;
    } else {
      error = "unknown option " + arg;
      return false;
    }
  }
  if (options.files.empty()) {
    error = "no input file";
    return false;
  }
  if ((options.plot.frameRange || options.plot.allTracks) &&
      options.mode != VxrinfoOptions::Mode::plot) {
    error = "--frames and --all-tracks go with --plot";
    return false;
  }
  if (options.gltfTiming && options.mode != VxrinfoOptions::Mode::gltf) {
    error = "--fps and --start-frame go with --gltf";
    return false;
  }
  if (options.mode != VxrinfoOptions::Mode::gltf && isConversion(options.mode) &&
      options.files.size() != 1) {
    error = "--obj and --plot take exactly one input file";
    return false;
  }
  return true;
}
