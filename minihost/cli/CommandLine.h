#pragma once
// The batch host's command line, parsed before anything runs.

#include <string>
#include <vector>

namespace minihost_cli {

struct Step {
  enum class Kind { kPlugin, kText, kFile, kScene };
  Kind kind;
  std::string value;
};

struct CommandLine {
  std::vector<Step> steps;  // in the order given
  std::vector<std::string> scriptDirs;
  std::vector<std::string> pluginDirs;
  std::vector<std::string> referenceDirs;  // searched for referenced scene files
  bool help = false;
  // Run as an interactive session (idle script jobs run after each script or text) instead of
  // a batch one (no script jobs).
  bool interactive = false;
  std::string error;  // non-empty when the line cannot be used
};

CommandLine parseCommandLine(int argc, const char* const* argv);
const char* usageText();

}  // namespace minihost_cli
