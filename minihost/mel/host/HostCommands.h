#pragma once
// Registration of the host commands, one group per file.

namespace mel {
class Interpreter;
}

namespace mel::host {

void registerSceneCommands(Interpreter& interp);
void registerSelectCommand(Interpreter& interp);
void registerAttributeCommands(Interpreter& interp);
void registerDynamicAttributeCommands(Interpreter& interp);
void registerObjectCommands(Interpreter& interp);
void registerPolyCommands(Interpreter& interp);
void registerTransformCommands(Interpreter& interp);
void registerXformCommand(Interpreter& interp);
void registerTimeCommands(Interpreter& interp);
void registerKeyframeCommands(Interpreter& interp);
void registerFileCommands(Interpreter& interp);
void registerReferenceCommands(Interpreter& interp);
void registerPluginCommands(Interpreter& interp);
void registerScriptJobCommand(Interpreter& interp);
void registerTrackerCommands(Interpreter& interp);
// Last: it marks commands the others registered as undoable.
void registerUndoCommands(Interpreter& interp);

inline void registerHostCommands(Interpreter& interp) {
  registerSceneCommands(interp);
  registerSelectCommand(interp);
  registerAttributeCommands(interp);
  registerDynamicAttributeCommands(interp);
  registerObjectCommands(interp);
  registerPolyCommands(interp);
  registerTransformCommands(interp);
  registerXformCommand(interp);
  registerTimeCommands(interp);
  registerKeyframeCommands(interp);
  registerFileCommands(interp);
  registerReferenceCommands(interp);
  registerPluginCommands(interp);
  registerScriptJobCommand(interp);
  registerTrackerCommands(interp);
  registerUndoCommands(interp);
}

}  // namespace mel::host
