// minihost: the batch host. Loads plug-ins, runs MEL text and files; in an interactive session
// also the idle script jobs they issue.

#include <cstdio>

#include <cstdlib>
#include <string>

#include "cli/CommandLine.h"
#include "cli/ModulePath.h"
#include "engine/Interrupt.h"
#include "engine/Scene.h"
#include "mel/host/MelHost.h"

namespace {
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\')
      out += '\\';
    out += c;
  }
  return out + "\"";
}

// A relative name that begins with '-' ("-shot.ma", given after "--") would read as a flag of
// the file command: "./" in front keeps it a name.
std::string fileArgument(const std::string& path) {
  return !path.empty() && path[0] == '-' ? "./" + path : path;
}
}  // namespace

int main(int argc, char** argv) {
  minihost_cli::CommandLine line = minihost_cli::parseCommandLine(argc, argv);
  if (!line.error.empty()) {
    std::fprintf(stderr, "minihost: %s\n%s", line.error.c_str(), minihost_cli::usageText());
    return 2;
  }
  if (line.help) {
    std::fputs(minihost_cli::usageText(), stdout);
    return 0;
  }
  // An interrupt signal during a long computation (an export) interrupts it, the host's way,
  // instead of ending the process.
  // The scene reader finds referenced files on this variable's folders, the options' first.
  if (!line.referenceDirs.empty()) {
    std::string folders;
    for (const std::string& dir : line.referenceDirs)
      folders += (folders.empty() ? "" : ":") + dir;
    if (const char* more = std::getenv("MINIHOST_REFERENCE_PATH"))
      folders += std::string(":") + more;
    ::setenv("MINIHOST_REFERENCE_PATH", folders.c_str(), 1);
  }
  minihost::installInterruptHandler();
  mel::MelHost& host = mel::initMinihostMel();
  host.setInteractive(line.interactive);
  auto& scripts = host.interp().scriptPath();
  scripts.insert(scripts.begin(), line.scriptDirs.begin(), line.scriptDirs.end());
  auto& plugins = host.pluginPath();
  plugins.insert(plugins.begin(), line.pluginDirs.begin(), line.pluginDirs.end());
  // Installed modules come after the folders named on the command line and in the variables.
  minihost_cli::ModuleFolders modules =
      minihost_cli::findModuleFolders(std::getenv("MAYA_MODULE_PATH"));
  for (const std::string& warning : modules.warnings)
    std::fprintf(stderr, "minihost: warning: %s\n", warning.c_str());
  plugins.insert(plugins.end(), modules.pluginDirs.begin(), modules.pluginDirs.end());
  scripts.insert(scripts.end(), modules.scriptDirs.begin(), modules.scriptDirs.end());

  bool ok = true;
  for (const minihost_cli::Step& step : line.steps) {
    switch (step.kind) {
      case minihost_cli::Step::Kind::kPlugin:
        // Through the script command, so the plug-in's commands are bound at once.
        ok = host.runTopLevelText("loadPlugin " + quoted(step.value) + ";");
        break;
      case minihost_cli::Step::Kind::kScene:
        ok = host.runTopLevelText("file -f -open " + quoted(fileArgument(step.value)) + ";");
        break;
      case minihost_cli::Step::Kind::kText:
        ok = host.runTopLevelText(step.value);
        break;
      case minihost_cli::Step::Kind::kFile:
        ok = host.runTopLevelFile(step.value);
        break;
    }
    if (!ok)
      break;
  }
  if (ok)
    host.runIdleJobs();
  ok = ok && !host.jobFailed();
  mel::shutdownMinihostMel();
  return ok ? 0 : 1;
}
