#pragma once
// The script host of the batch process: one interpreter with the language built-ins and
// the host commands, installed as the engine's script host. It tracks the "busy" state.
// A batch session (the default) has no script jobs, as the host's batch mode has none; an
// interactive session runs its idle script jobs whenever a top-level command or script has
// finished, each job on its own.

#include <string>
#include <vector>

#include "engine/ScriptHost.h"
#include "mel/Interpreter.h"

namespace mel {

struct IdleJob {
  int id = 0;
  std::string script;
  bool runOnce = true;
};

class MelHost : public minihost::ScriptHost {
 public:
  MelHost();
  ~MelHost() override;

  Interpreter& interp() { return interp_; }

  // Runs text or a file (a path as given, not searched) as a top-level script: busy while it
  // runs; in an interactive session the idle jobs run once it has finished. False after an
  // error of the script itself.
  bool runTopLevelText(const std::string& text);
  bool runTopLevelFile(const std::string& path);
  // Runs the pending idle jobs in the order issued, each on its own: one that fails is
  // reported and the others still run. Jobs they issue run too. False when any job failed.
  bool runIdleJobs();
  bool busy() const { return busyDepth_ > 0; }

  // The session kind MGlobal::mayaState reports: batch unless made interactive.
  void setInteractive(bool interactive) { interactive_ = interactive; }
  bool interactive() const { return interactive_; }
  bool interactiveSession() const override { return interactive_; }
  // Whether any idle job has failed in this session (the batch command line's exit status).
  bool jobFailed() const { return jobFailed_; }

  int addIdleJob(const std::string& script, bool runOnce);
  bool killJob(int id);
  bool jobExists(int id) const;
  void killAllJobs() { jobs_.clear(); }
  const std::vector<IdleJob>& jobs() const { return jobs_; }

  // Plug-in and script folders from MAYA_PLUG_IN_PATH and MAYA_SCRIPT_PATH.
  std::vector<std::string>& pluginPath() { return pluginPath_; }
  // Loads a plug-in by path or by name on the plug-in path. The script path stays as it is.
  bool loadPlugin(const std::string& nameOrPath, std::string& loadedName, std::string& error);
  std::string findPlugin(const std::string& nameOrPath) const;

  // minihost::ScriptHost
  bool executeCommand(const std::string& text, std::string* result, bool display,
                      bool undoable) override;
  bool sourceFile(const std::string& fileName) override;
  void displayInfo(const std::string& text) override;
  void displayWarning(const std::string& text) override;
  void displayError(const std::string& text) override;

 private:
  bool afterTopLevel(bool ok);

  Interpreter interp_;
  std::vector<IdleJob> jobs_;
  int nextJobId_ = 1;
  int busyDepth_ = 0;
  bool runningJobs_ = false;
  bool interactive_ = false;
  bool jobFailed_ = false;
  std::vector<std::string> pluginPath_;
};

// Creates the host (once) and installs it as the engine's script host. The batch command
// line and the tests call this before running anything.
MelHost& initMinihostMel();
// The installed host, or null before initMinihostMel.
MelHost* melHost();
// Uninstalls and destroys the host; plug-ins still loaded are unloaded first.
void shutdownMinihostMel();

}  // namespace mel
