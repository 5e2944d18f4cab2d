#pragma once
// Runs MEL: parses units, keeps procedures and globals, evaluates syntax trees and
// dispatches calls to procedures and to the command table.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mel/Ast.h"
#include "mel/CommandTable.h"
#include "mel/GlobalTable.h"
#include "mel/Value.h"

namespace mel {

class Interpreter {
 public:
  using Sink = std::function<void(const std::string&)>;
  // Asked for a name no procedure or command answers to, before the script path is searched.
  using CommandFallback = std::function<const CommandEntry*(Interpreter&, const std::string&)>;

  Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  CommandTable& commands() { return commands_; }
  GlobalTable& globals() { return globals_; }

  // Where `print` writes and where errors and warnings go; standard output and standard
  // error unless replaced.
  void setOutput(Sink out) { out_ = std::move(out); }
  void setDiagnostics(Sink err) { err_ = std::move(err); }
  void writeOutput(const std::string& text) { out_(text); }
  void writeDiagnostic(const std::string& text) { err_(text); }

  void setCommandFallback(CommandFallback fallback) { fallback_ = std::move(fallback); }

  // Folders searched by `source` and for procedures not yet defined (name.mel).
  std::vector<std::string>& scriptPath() { return scriptPath_; }

  // Parses and runs `text`. `fileName` names it in messages (empty for typed text).
  // `result` receives the value of the last statement. `afterTopStatement`, when set, runs
  // after each top-level statement and may stop the run by returning false.
  bool runText(std::string_view text, const std::string& fileName, Value* result = nullptr,
               const std::function<bool()>& afterTopStatement = {});
  // Reads and runs a file: a full path as it is, a relative name found on the script path.
  bool sourceFile(const std::string& name, const std::function<bool()>& afterTopStatement = {});
  // Reads and runs exactly the file at `path` (relative to the current folder).
  bool runFile(const std::string& path, const std::function<bool()>& afterTopStatement = {});
  // The path `name` resolves to: a full path when that file exists, a relative name through
  // the script path (never the current folder); empty when not found.
  std::string findScript(const std::string& name) const;

  // Calls a procedure or command by name with evaluated arguments.
  bool call(const std::string& name, std::vector<Value>& args, Value& result);
  bool procExists(const std::string& name) const;

  // Messages in the host's form, located at the statement running now.
  void reportError(const std::string& message);
  void reportWarning(const std::string& message, bool showLine = false);
  // Set by every reported error; cleared when a top-level run starts.
  const std::string& lastError() const { return lastError_; }
  // Running inside a procedure, a loop body or nested text rather than at the top.
  int depth() const { return callDepth_; }
  // Commands called so far (built-in, host and plug-in commands; not procedures): what a script
  // costs the host, for benchmarks.
  std::uint64_t commandCalls() const { return commandCalls_; }

 private:
  enum class Flow { kNext, kBreak, kContinue, kReturn, kError };
  using Frame = std::vector<Value>;

  bool runUnit(Unit& unit, Value* result, const std::function<bool()>& afterTopStatement);
  void defineProc(const std::shared_ptr<ProcDef>& proc);
  std::string location() const;

  // Statements.
  Flow exec(const Stmt& s);
  Flow execBlock(const std::vector<StmtPtr>& body);
  Flow execDeclare(const Stmt& s);
  Flow execFor(const Stmt& s);
  Flow execForIn(const Stmt& s);
  Flow execSwitch(const Stmt& s);

  // Expressions; each returns false after reporting an error.
  bool eval(const Expr& e, Value& out);
  bool evalBinary(int op, const Value& a, const Value& b, Value& out);
  bool evalUnary(const Expr& e, Value& out);
  bool evalAssign(const Expr& e, Value& out);
  bool evalIncDec(const Expr& e, Value& out);
  bool evalIndex(const Expr& e, Value& out);
  bool evalComponent(const Expr& e, Value& out);
  bool evalArrayLiteral(const Expr& e, Value& out);
  bool evalCall(const Expr& e, Value& out);
  bool evalCatch(const Expr& e, Value& out);
  bool assignTo(const VarRef& var, Value value);
  bool convertForStore(ValueType target, Value& value);
  bool arrayIndex(const Value& index, std::size_t& out, bool forWrite);
  Value& slot(const VarRef& var) {
    return var.global ? globals_.at(var.index) : (*frame_)[static_cast<std::size_t>(var.index)];
  }

  // Calls.
  bool resolve(const std::string& name, std::shared_ptr<const ProcDef>& proc,
               const CommandEntry*& command);
  bool callProc(const ProcDef& proc, std::vector<Value>& args, Value& result,
                const std::vector<Value*>* refs);
  bool callCommand(const CommandEntry& command, std::vector<Value>& args, Value& result,
                   const std::vector<Value*>* refs);
  Frame acquireFrame(const std::vector<ValueType>& slotTypes);
  void releaseFrame(Frame&& frame);

  CommandTable commands_;
  GlobalTable globals_;
  std::unordered_map<std::string, std::shared_ptr<const ProcDef>> globalProcs_;
  // Local procedures, per file.
  std::unordered_map<std::string, std::unordered_map<std::string, std::shared_ptr<const ProcDef>>>
      localProcs_;
  std::uint64_t procGeneration_ = 1;
  std::vector<std::string> scriptPath_;
  Sink out_;
  CommandFallback fallback_;
  Sink err_;

  // The running frame and where it is.
  Frame* frame_ = nullptr;
  const std::string* file_ = nullptr;
  int line_ = 0;
  Value returnValue_;
  Value lastResult_;
  std::string lastError_;
  int callDepth_ = 0;
  std::uint64_t commandCalls_ = 0;
  int quietDepth_ = 0;
  int sourceDepth_ = 0;
  std::vector<Frame> framePool_;
  static const std::string kNoFile;
};

}  // namespace mel
