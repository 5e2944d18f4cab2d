#include "tools/vxrinfo/VxrinfoOptions.h"

namespace {

bool setMode(VxrinfoOptions& options, VxrinfoOptions::Mode mode, std::string& error) {
  if (options.mode != VxrinfoOptions::Mode::summary && options.mode != mode) {
    error = "--json, --check, --obj and --plot exclude each other";
    return false;
  }
  if (options.mode == mode &&
      (mode == VxrinfoOptions::Mode::obj || mode == VxrinfoOptions::Mode::plot)) {
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
         "       vxrinfo --plot OUT.svg ANIMATIONFILE\n"
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
         "  --plot OUT.svg draws an animation file seen from above its up axis: camera paths\n"
         "                 with view directions, lights, axes and a legend\n"
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
    } else if (arg == "--obj" || arg == "--plot") {
      const bool obj = arg == "--obj";
      if (!setMode(options, obj ? VxrinfoOptions::Mode::obj : VxrinfoOptions::Mode::plot, error))
        return false;
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        error = arg + " needs an output file";
        return false;
      }
      options.outputPath = args[++i];
    } else {
      error = "unknown option " + arg;
      return false;
    }
  }
  if (options.files.empty()) {
    error = "no input file";
    return false;
  }
  const bool converts =
      options.mode == VxrinfoOptions::Mode::obj || options.mode == VxrinfoOptions::Mode::plot;
  if (converts && options.files.size() != 1) {
    error = "--obj and --plot take exactly one input file";
    return false;
  }
  return true;
}
