#pragma once
// Hook through which the host API reaches the script interpreter. The interpreter
// installs itself with setScriptHost; until then script calls fail cleanly and
// messages go to standard error in the host's own form.

#include <string>

namespace minihost {

class ScriptHost {
 public:
  virtual ~ScriptHost();
  // Runs script text; when result is non-null it receives the value of the last
  // statement as text. Returns false when the script failed.
  virtual bool executeCommand(const std::string& text, std::string* result, bool display,
                              bool undoable) = 0;
  // Sources a script file found by the interpreter's search rules.
  virtual bool sourceFile(const std::string& fileName) = 0;
  virtual void displayInfo(const std::string& text) = 0;
  virtual void displayWarning(const std::string& text) = 0;
  virtual void displayError(const std::string& text) = 0;
  // True in an interactive session (MGlobal::kInteractive), false in a batch one.
  virtual bool interactiveSession() const { return false; }
};

void setScriptHost(ScriptHost* host);
ScriptHost* scriptHost();

// Fallback message forms: "// Warning: text", "// Error: text", and plain info text.
void printWarning(const std::string& text);
void printError(const std::string& text);
void printInfo(const std::string& text);

}  // namespace minihost
