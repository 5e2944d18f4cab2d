// scriptJob: idle jobs only, in an interactive session. The host's reference says script jobs
// are tied to the interactive event loop and that scriptJob does nothing in batch mode, so in
// a batch session every form returns at once without making, killing or listing a job (job
// number 0, which names none). There are no events, attribute watches or UI here, so every
// other kind of job is refused by name rather than silently never run.

#include "mel/Interpreter.h"
#include "mel/host/MelHost.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

namespace {

bool cmdScriptJob(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"ro", "runOnce", 1},
                    {"cf", "conditionFalse", 2},
                    {"ct", "conditionTrue", 2},
                    {"cc", "conditionChange", 2},
                    {"ie", "idleEvent", 1},
                    {"e", "event", 2},
                    {"ac", "attributeChange", 2},
                    {"tc", "timeChange", 1},
                    {"k", "kill", 1},
                    {"ka", "killAll", 0},
                    {"ex", "exists", 1},
                    {"lj", "listJobs", 0},
                    {"p", "parent", 1},
                    {"pro", "protected", 0},
                    {"per", "permanent", 0},
                    {"f", "force", 0},
                    {"cu", "compressUndo", 1},
                    {"kws", "killWithScene", 0},
                    {"rp", "replacePrevious", 0},
                    {"lc", "listConditions", 0},
                    {"le", "listEvents", 0},
                    {"nd", "nodeDeleted", 2},
                    {"ad", "attributeAdded", 2},
                    {"uid", "uiDeleted", 2}},
                   false)) {
    return false;
  }
  MelHost* hostPtr = melHost();
  if (hostPtr == nullptr)
    return call.failNamed("No script host is running.");
  MelHost& h = *hostPtr;
  if (!h.interactive()) {
    if (flags.has("listJobs") || flags.has("listConditions"))
      call.result = Value(std::vector<std::string>());
    else
      call.result = Value(0);
    return true;
  }
  for (const char* unsupported :
       {"conditionTrue", "conditionChange", "event", "attributeChange", "timeChange", "parent",
        "nodeDeleted", "attributeAdded", "uiDeleted", "listEvents"}) {
    if (flags.has(unsupported)) {
      return call.failNamed(std::string("-") + unsupported +
                            " is not supported by this host; only idle jobs "
                            "(-conditionFalse \"busy\" or -idleEvent) are.");
    }
  }
  if (!flags.positional.empty())
    return call.failNamed("Unexpected argument: " + flags.positional[0].asString());
  if (flags.has("kill")) {
    int id = flags.value("kill").asInt();
    if (!h.killJob(id))
      return call.failNamed("There is no job " + std::to_string(id) + ".");
    return true;
  }
  if (flags.has("killAll")) {
    h.killAllJobs();
    return true;
  }
  if (flags.has("exists")) {
    call.result = Value(h.jobExists(flags.value("exists").asInt()) ? 1 : 0);
    return true;
  }
  if (flags.has("listJobs")) {
    std::vector<std::string> out;
    for (const IdleJob& job : h.jobs())
      out.push_back(std::to_string(job.id) + ": " + job.script);
    call.result = Value(std::move(out));
    return true;
  }
  if (flags.has("listConditions")) {
    call.result = Value(std::vector<std::string>{"busy"});
    return true;
  }
  std::string script;
  if (const std::vector<Value>* cf = flags.find("conditionFalse")) {
    std::string condition = (*cf)[0].asString();
    if (condition != "busy") {
      return call.failNamed("Condition \"" + condition +
                            "\" is not supported by this host; only \"busy\" is.");
    }
    script = (*cf)[1].asString();
  } else if (flags.has("idleEvent")) {
    script = flags.value("idleEvent").asString();
  } else {
    return call.failNamed("Expected -conditionFalse \"busy\" <script> or -idleEvent <script>.");
  }
  bool runOnce = asBoolArg(flags.value("runOnce", 0, Value(0)));
  call.result = Value(h.addIdleJob(script, runOnce));
  return true;
}

CommandFn& languageAbout() {
  static CommandFn about = nullptr;
  return about;
}

// about -batch answers the session the host runs: 1 in a batch session, 0 in an interactive one.
bool cmdAbout(CommandCall& call) {
  CommandFn about = languageAbout();
  if (about == nullptr)
    return call.fail("Cannot find procedure \"about\".");
  if (!about(call))
    return false;
  for (std::size_t i = 0; i < call.count(); ++i) {
    const std::string word = call.arg(i).asString();
    if (word == "-b" || word == "-batch") {
      const MelHost* host = melHost();
      call.result = Value(host != nullptr && host->interactive() ? 0 : 1);
    }
  }
  return true;
}

}  // namespace

void registerScriptJobCommand(Interpreter& interp) {
  interp.commands().set("scriptJob", cmdScriptJob);
  const CommandEntry* about = interp.commands().find("about");
  if (about != nullptr && about->fn != cmdAbout) {
    languageAbout() = about->fn;
    interp.commands().set("about", cmdAbout, about->data, about->wantsRefs);
  }
}

}  // namespace mel::host
