#include "mel/Interpreter.h"

#include <sys/stat.h>
#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>

#include "mel/Builtins.h"
#include "mel/Parser.h"

namespace mel {

const std::string Interpreter::kNoFile;

namespace {

constexpr int kMaxSourceDepth = 64;

bool isRegularFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

Interpreter::Interpreter()
    : out_([](const std::string& text) { std::cout << text << std::flush; }),
      err_([](const std::string& text) { std::cerr << text << std::flush; }) {
  registerBuiltins(*this);
}

std::string Interpreter::location() const {
  std::string where;
  if (file_ != nullptr && !file_->empty()) {
    where = "file: " + *file_ + " line " + std::to_string(line_) + ": ";
  } else {
    where = "line " + std::to_string(line_) + ": ";
  }
  return where;
}

void Interpreter::reportError(const std::string& message) {
  lastError_ = message;
  if (quietDepth_ > 0) {
    return;
  }
  err_("// Error: " + location() + message + " //\n");
}

void Interpreter::reportWarning(const std::string& message, bool showLine) {
  err_("// Warning: " + (showLine ? location() : std::string()) + message + " //\n");
}

namespace {

// A full path: "/..." here, or a drive letter path ("C:/...", "C:\\...") as scripts written on
// Windows carry. It names one file; the script path plays no part.
bool isAbsolutePath(const std::string& name) {
  if (name[0] == '/' || name[0] == '\\')
    return true;
  return name.size() >= 3 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':' &&
         (name[2] == '/' || name[2] == '\\');
}

}  // namespace

std::string Interpreter::findScript(const std::string& name) const {
  if (name.empty()) {
    return std::string();
  }
  if (isAbsolutePath(name)) {
    return isRegularFile(name) ? name : std::string();
  }
  // As the host's source: a relative name is looked up on the script path only, never in the
  // current folder, so a file lying in whatever folder the session started in cannot stand in
  // for a script of the path.
  for (const std::string& dir : scriptPath_) {
    if (dir.empty()) {
      continue;
    }
    std::string candidate = dir + (dir.back() == '/' ? "" : "/") + name;
    if (isRegularFile(candidate)) {
      return candidate;
    }
  }
  return std::string();
}

bool Interpreter::sourceFile(const std::string& name,
                             const std::function<bool()>& afterTopStatement) {
  std::string path = findScript(name);
  if (path.empty() && name.size() < 4) {
    path = findScript(name + ".mel");
  } else if (path.empty() && name.compare(name.size() - 4, 4, ".mel") != 0) {
    path = findScript(name + ".mel");
  }
  if (path.empty()) {
    reportError("Cannot find file \"" + name + "\" for source statement.");
    return false;
  }
  return runFile(path, afterTopStatement);
}

bool Interpreter::runFile(const std::string& path, const std::function<bool()>& afterTopStatement) {
  std::ifstream in(path, std::ios::binary);
  if (!in || !isRegularFile(path)) {
    reportError("Cannot open file \"" + path + "\" for source statement.");
    return false;
  }
  if (sourceDepth_ >= kMaxSourceDepth) {
    reportError("Files sourced too deeply: \"" + path + "\"");
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  ++sourceDepth_;
  bool ok = runText(text.str(), path, nullptr, afterTopStatement);
  --sourceDepth_;
  return ok;
}

bool Interpreter::runText(std::string_view text, const std::string& fileName, Value* result,
                          const std::function<bool()>& afterTopStatement) {
  auto file = std::make_shared<const std::string>(fileName);
  Parser parser(text, file, globals_);
  std::unique_ptr<Unit> unit = parser.parse();
  if (!unit) {
    // Point the message at the offending line of this text, whatever was running before.
    const std::string* savedFile = file_;
    int savedLine = line_;
    file_ = file.get();
    line_ = parser.error().line;
    reportError(parser.error().message);
    file_ = savedFile;
    line_ = savedLine;
    return false;
  }
  return runUnit(*unit, result, afterTopStatement);
}

void Interpreter::defineProc(const std::shared_ptr<ProcDef>& proc) {
  if (proc->global) {
    globalProcs_[proc->name] = proc;
  } else {
    localProcs_[*proc->file][proc->name] = proc;
  }
  ++procGeneration_;
}

bool Interpreter::runUnit(Unit& unit, Value* result,
                          const std::function<bool()>& afterTopStatement) {
  for (const auto& proc : unit.procs) {
    defineProc(proc);
  }
  Frame frame = acquireFrame(unit.slotTypes);
  Frame* savedFrame = frame_;
  const std::string* savedFile = file_;
  int savedLine = line_;
  frame_ = &frame;
  file_ = unit.file.get();
  lastResult_ = Value();
  bool ok = true;
  for (const auto& s : unit.statements) {
    Flow flow = exec(*s);
    if (flow == Flow::kError) {
      ok = false;
      break;
    }
    if (flow == Flow::kReturn) {
      break;
    }
    if (afterTopStatement && !afterTopStatement()) {
      ok = false;
      break;
    }
  }
  if (result != nullptr) {
    *result = std::move(lastResult_);
  }
  lastResult_ = Value();
  frame_ = savedFrame;
  file_ = savedFile;
  line_ = savedLine;
  releaseFrame(std::move(frame));
  return ok;
}

bool Interpreter::call(const std::string& name, std::vector<Value>& args, Value& result) {
  std::shared_ptr<const ProcDef> proc;
  const CommandEntry* command = nullptr;
  if (!resolve(name, proc, command)) {
    reportError("Cannot find procedure \"" + name + "\".");
    return false;
  }
  if (proc) {
    return callProc(*proc, args, result, nullptr);
  }
  return callCommand(*command, args, result, nullptr);
}

bool Interpreter::procExists(const std::string& name) const {
  if (globalProcs_.count(name) != 0) {
    return true;
  }
  if (file_ != nullptr) {
    auto it = localProcs_.find(*file_);
    if (it != localProcs_.end() && it->second.count(name) != 0) {
      return true;
    }
  }
  return false;
}

}  // namespace mel
