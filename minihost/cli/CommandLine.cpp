#include "cli/CommandLine.h"

#include <cctype>

namespace minihost_cli {
namespace {
// A scene file of the host (".ma", or ".mb" to be refused with a reason) is opened, not run.
Step fileStep(const std::string& path) {
  std::size_t dot = path.find_last_of('.');
  std::size_t slash = path.find_last_of('/');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "ma" || ext == "mb")
      return {Step::Kind::kScene, path};
  }
  return {Step::Kind::kFile, path};
}
}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](const char* what) -> const char* {
      if (i + 1 >= argc) {
        line.error = arg + " needs " + what;
        return nullptr;
      }
      return argv[++i];
    };
    if (arg == "-h" || arg == "--help") {
      line.help = true;
    } else if (arg == "-i" || arg == "--interactive") {
      line.interactive = true;
    } else if (arg == "-c" || arg == "--command") {
      const char* v = value("MEL text");
      if (!v)
        return line;
      line.steps.push_back({Step::Kind::kText, v});
    } else if (arg == "-p" || arg == "--plugin") {
      const char* v = value("a plug-in path or name");
      if (!v)
        return line;
      line.steps.push_back({Step::Kind::kPlugin, v});
    } else if (arg == "-s" || arg == "--script-path") {
      const char* v = value("a folder");
      if (!v)
        return line;
      line.scriptDirs.push_back(v);
    } else if (arg == "-l" || arg == "--plugin-path") {
      const char* v = value("a folder");
      if (!v)
        return line;
      line.pluginDirs.push_back(v);
    } else if (arg == "-r" || arg == "--reference-path") {
      const char* v = value("a folder");
      if (!v)
        return line;
      line.referenceDirs.push_back(v);
    } else if (arg == "--") {
      for (++i; i < argc; ++i)
        line.steps.push_back(fileStep(argv[i]));
    } else if (!arg.empty() && arg[0] == '-') {
      line.error = "unknown option " + arg;
      return line;
    } else {
      line.steps.push_back(fileStep(arg));
    }
  }
  return line;
}

const char* usageText() {
  return "usage: minihost [options] [--] [file.mel | scene.ma ...]\n"
         "  -c, --command TEXT       run MEL text\n"
         "  -p, --plugin PATH|NAME   load a plug-in (a name is looked up on MAYA_PLUG_IN_PATH)\n"
         "  -s, --script-path DIR    search DIR first for sourced scripts\n"
         "  -l, --plugin-path DIR    search DIR first for plug-ins\n"
         "  -i, --interactive        run as an interactive session: idle script jobs run\n"
         "                           after each plug-in load, text, file and scene\n"
         "  -r, --reference-path DIR search DIR for files a scene references (after the\n"
         "                           project and the scene's folder; MINIHOST_REFERENCE_PATH\n"
         "                           adds more)\n"
         "  -h, --help               show this text\n"
         "Plug-ins, texts and files are handled in the order given; a .ma scene is opened\n"
         "(file -open: read as data, never run). Without -i this is a batch session, as\n"
         "the host's batch mode: scriptJob does nothing. Exit status: 0 on success,\n"
         "1 after an error (also of an idle job), 2 for a bad command line.\n"
         "Modules: every *.mod file in a MAYA_MODULE_PATH folder adds its module's plug-in\n"
         "and script folders to the search paths.\n";
}

}  // namespace minihost_cli
