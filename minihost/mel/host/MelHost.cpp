#include "mel/host/MelHost.h"

#include <sys/stat.h>
#include <cstdlib>
#include <memory>

#include "engine/PluginRegistry.h"
#include "mel/host/HostCommands.h"

namespace mel {

namespace {

std::unique_ptr<MelHost>& instance() {
  static std::unique_ptr<MelHost> host;
  return host;
}

// Jobs that keep issuing jobs would never let the host go idle; this bounds one idle point.
constexpr int kMaxJobRunsPerIdle = 100000;

std::vector<std::string> splitPath(const char* value) {
  std::vector<std::string> out;
  if (value == nullptr)
    return out;
  std::string text(value);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(':', start);
    if (end == std::string::npos)
      end = text.size();
    if (end > start)
      out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

bool isFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string baseName(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

MelHost::MelHost() {
  host::registerHostCommands(interp_);
  interp_.scriptPath() = splitPath(std::getenv("MAYA_SCRIPT_PATH"));
  pluginPath_ = splitPath(std::getenv("MAYA_PLUG_IN_PATH"));
}

MelHost::~MelHost() = default;

bool MelHost::afterTopLevel(bool ok) {
  // The host goes idle once a top-level script or command has finished, never between two of
  // its statements. A job that fails is its own error, not one of the script that issued it.
  if (busyDepth_ == 0 && interactive_)
    runIdleJobs();
  return ok;
}

bool MelHost::runTopLevelText(const std::string& text) {
  ++busyDepth_;
  bool ok = interp_.runText(text, std::string());
  --busyDepth_;
  return afterTopLevel(ok);
}

bool MelHost::runTopLevelFile(const std::string& path) {
  ++busyDepth_;
  bool ok = interp_.runFile(path);
  --busyDepth_;
  return afterTopLevel(ok);
}

bool MelHost::runIdleJobs() {
  if (runningJobs_ || busyDepth_ > 0)
    return true;
  runningJobs_ = true;
  bool allOk = true;
  int runs = 0;
  // Persistent jobs run once per idle point; one-shot jobs are removed before they run,
  // so a job that fails or issues new jobs leaves the queue consistent.
  std::vector<int> persistentDone;
  for (;;) {
    std::size_t next = jobs_.size();
    for (std::size_t i = 0; i < jobs_.size(); ++i) {
      bool done = false;
      for (int id : persistentDone)
        done = done || id == jobs_[i].id;
      if (!done) {
        next = i;
        break;
      }
    }
    if (next == jobs_.size())
      break;
    if (++runs > kMaxJobRunsPerIdle) {
      interp_.reportError("Idle script jobs keep issuing new jobs; the rest are dropped.");
      jobs_.clear();
      allOk = false;
      break;
    }
    IdleJob job = jobs_[next];
    if (job.runOnce) {
      jobs_.erase(jobs_.begin() + static_cast<std::ptrdiff_t>(next));
    } else {
      persistentDone.push_back(job.id);
    }
    ++busyDepth_;
    bool ok = interp_.runText(job.script, std::string());
    --busyDepth_;
    if (!ok) {
      allOk = false;
      jobFailed_ = true;
    }
  }
  runningJobs_ = false;
  return allOk;
}

int MelHost::addIdleJob(const std::string& script, bool runOnce) {
  IdleJob job;
  job.id = nextJobId_++;
  job.script = script;
  job.runOnce = runOnce;
  jobs_.push_back(job);
  return job.id;
}

bool MelHost::killJob(int id) {
  for (auto it = jobs_.begin(); it != jobs_.end(); ++it) {
    if (it->id == id) {
      jobs_.erase(it);
      return true;
    }
  }
  return false;
}

bool MelHost::jobExists(int id) const {
  for (const IdleJob& job : jobs_) {
    if (job.id == id)
      return true;
  }
  return false;
}

std::string MelHost::findPlugin(const std::string& nameOrPath) const {
  if (nameOrPath.empty())
    return std::string();
  if (isFile(nameOrPath))
    return nameOrPath;
  if (nameOrPath.find('/') != std::string::npos) {
    return isFile(nameOrPath + ".so") ? nameOrPath + ".so" : std::string();
  }
  for (const std::string& dir : pluginPath_) {
    for (const std::string& candidate : {dir + "/" + nameOrPath, dir + "/" + nameOrPath + ".so"}) {
      if (isFile(candidate))
        return candidate;
    }
  }
  return std::string();
}

bool MelHost::loadPlugin(const std::string& nameOrPath, std::string& loadedName,
                         std::string& error) {
  std::string path = findPlugin(nameOrPath);
  if (path.empty()) {
    error = "Plug-in \"" + nameOrPath + "\" was not found on MAYA_PLUG_IN_PATH.";
    return false;
  }
  minihost::PluginRegistry& registry = minihost::PluginRegistry::get();
  if (!registry.isLoaded(path) && !registry.load(path, &error)) {
    return false;
  }
  loadedName = baseName(path);
  std::size_t dot = loadedName.rfind('.');
  if (dot != std::string::npos && dot > 0)
    loadedName = loadedName.substr(0, dot);
  // The script path is not touched: the host adds a module's scripts folder through the
  // module's file (MAYA_MODULE_PATH), never because a plug-in was loaded from somewhere.
  return true;
}

bool MelHost::executeCommand(const std::string& text, std::string* result, bool display,
                             bool /*undoable*/) {
  if (busyDepth_ == 0) {
    // Called from outside any script: this is a top-level command.
    ++busyDepth_;
    Value value;
    bool ok = interp_.runText(text, std::string(), &value);
    --busyDepth_;
    if (result != nullptr)
      *result = value.asString();
    if (ok && display && !value.isNone())
      interp_.writeOutput("// Result: " + value.asString() + " //\n");
    return afterTopLevel(ok);
  }
  Value value;
  bool ok = interp_.runText(text, std::string(), &value);
  if (result != nullptr)
    *result = value.asString();
  if (ok && display && !value.isNone())
    interp_.writeOutput("// Result: " + value.asString() + " //\n");
  return ok;
}

bool MelHost::sourceFile(const std::string& fileName) {
  return interp_.sourceFile(fileName);
}

void MelHost::displayInfo(const std::string& text) {
  interp_.writeOutput(text + "\n");
}

void MelHost::displayWarning(const std::string& text) {
  interp_.reportWarning(text);
}

void MelHost::displayError(const std::string& text) {
  interp_.writeDiagnostic("// Error: " + text + " //\n");
}

MelHost& initMinihostMel() {
  std::unique_ptr<MelHost>& host = instance();
  if (!host) {
    host = std::make_unique<MelHost>();
    minihost::setScriptHost(host.get());
  }
  return *host;
}

MelHost* melHost() {
  return instance().get();
}

void shutdownMinihostMel() {
  std::unique_ptr<MelHost>& host = instance();
  if (!host)
    return;
  minihost::PluginRegistry& registry = minihost::PluginRegistry::get();
  std::vector<minihost::PluginInfo> loaded = registry.loaded();
  for (auto it = loaded.rbegin(); it != loaded.rend(); ++it) {
    std::string error;
    registry.unload(it->path, &error);
  }
  minihost::setScriptHost(nullptr);
  host.reset();
}

}  // namespace mel
