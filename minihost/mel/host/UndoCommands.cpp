// undo, redo, undoInfo and flushUndo over the engine's undo queue, and the marking of the
// built-in commands that change the scene, so that their changes become undo items.

#include <string>
#include <unordered_map>

#include "engine/UndoQueue.h"
#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

namespace {

minihost::UndoQueue& queue() {
  return minihost::UndoQueue::get();
}

// The built-in commands that may change the scene, each run as one undo item. Queries among
// them record nothing and leave no item.
const char* const kUndoableCommands[] = {
    "setAttr",      "setKeyframe", "rename",         "createNode",
    "camera",       "pointLight",  "spotLight",      "directionalLight",
    "ambientLight", "connectAttr", "disconnectAttr", "xform",
    "move",         "rotate",      "scale",          "spaceLocator",
    "polyCube",     "polyPlane",   "polySphere",     "group",
    "parent",       "upAxis",      "addAttr",        "deleteAttr"};

std::unordered_map<std::string, CommandFn>& wrapped() {
  static std::unordered_map<std::string, CommandFn> commands;
  return commands;
}

bool runUndoable(CommandCall& call) {
  auto it = wrapped().find(call.entry.name);
  if (it == wrapped().end())
    return call.fail("Cannot find procedure \"" + call.entry.name + "\".");
  queue().beginCommand(call.entry.name);
  const bool ok = it->second(call);
  queue().endCommand();
  return ok;
}

bool cmdUndo(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {}, false))
    return false;
  std::string name;
  if (!queue().undo(&name)) {
    call.interp.reportWarning("There are no more commands to undo.");
    return true;
  }
  call.interp.writeOutput("// Undo: " + name + " //\n");
  return true;
}

bool cmdRedo(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {}, false))
    return false;
  std::string name;
  if (!queue().redo(&name)) {
    call.interp.reportWarning("There are no more commands to redo.");
    return true;
  }
  call.interp.writeOutput("// Redo: " + name + " //\n");
  return true;
}

bool queryUndoInfo(CommandCall& call, const FlagSet& flags) {
  if (flags.has("state") || flags.has("stateWithoutFlush"))
    call.result = Value(queue().enabled() ? 1 : 0);
  else if (flags.has("undoName"))
    call.result = Value(queue().undoName());
  else if (flags.has("redoName"))
    call.result = Value(queue().redoName());
  else if (flags.has("undoQueueEmpty"))
    call.result = Value(queue().undoCount() == 0 ? 1 : 0);
  else if (flags.has("redoQueueEmpty"))
    call.result = Value(queue().redoCount() == 0 ? 1 : 0);
  else if (flags.has("infinity"))
    call.result = Value(1);
  else if (flags.has("length"))
    call.result = Value(0);
  else
    call.result = Value(static_cast<int>(queue().undoCount()));
  return true;
}

bool cmdUndoInfo(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"st", "state", 1},
                          {"swf", "stateWithoutFlush", 1},
                          {"ock", "openChunk", 0},
                          {"cck", "closeChunk", 0},
                          {"cn", "chunkName", 1},
                          {"un", "undoName", 0},
                          {"rn", "redoName", 0},
                          {"uqe", "undoQueueEmpty", 0},
                          {"rqe", "redoQueueEmpty", 0},
                          {"in", "infinity", 1},
                          {"l", "length", 1}}))
    return false;
  if (flags.query)
    return queryUndoInfo(call, flags);
  if (flags.has("state"))
    queue().setEnabled(asBoolArg(flags.value("state")), false);
  if (flags.has("stateWithoutFlush"))
    queue().setEnabled(asBoolArg(flags.value("stateWithoutFlush")), true);
  if (flags.has("openChunk"))
    queue().openChunk(flags.value("chunkName", 0, Value(std::string("chunk"))).asString());
  if (flags.has("closeChunk"))
    queue().closeChunk();
  return true;
}

bool cmdFlushUndo(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {}, false))
    return false;
  queue().flush();
  return true;
}

}  // namespace

void registerUndoCommands(Interpreter& interp) {
  for (const char* name : kUndoableCommands) {
    const CommandEntry* entry = interp.commands().find(name);
    if (entry == nullptr || entry->fn == runUndoable)
      continue;
    wrapped()[name] = entry->fn;
    interp.commands().set(name, runUndoable, entry->data, entry->wantsRefs);
  }
  interp.commands().set("undo", cmdUndo);
  interp.commands().set("redo", cmdRedo);
  interp.commands().set("undoInfo", cmdUndoInfo);
  interp.commands().set("flushUndo", cmdFlushUndo);
}

}  // namespace mel::host
