// print, error, warning, eval, source, exists, size, clear and friends.

#include <cstdlib>

#include "mel/Builtins.h"
#include "mel/Flags.h"
#include "mel/Interpreter.h"

namespace mel {

namespace {

bool needArgs(CommandCall& call, std::size_t min, std::size_t max) {
  if (call.count() < min || call.count() > max) {
    return call.failNamed("Wrong number of arguments.");
  }
  return true;
}

// Joins the arguments with blanks, as eval and print take several words.
std::string joined(CommandCall& call, std::size_t from = 0) {
  std::string text;
  for (std::size_t i = from; i < call.count(); ++i) {
    if (i > from)
      text += ' ';
    text += call.arg(i).asString();
  }
  return text;
}

bool cmdPrint(CommandCall& call) {
  std::string text;
  for (std::size_t i = 0; i < call.count(); ++i) {
    const Value& v = call.arg(i);
    if (v.isArray()) {
      // An array prints one element per line.
      for (std::size_t k = 0; k < v.arraySize(); ++k) {
        text += v.element(k).asString();
        text += '\n';
      }
    } else {
      text += v.asString();
    }
  }
  call.interp.writeOutput(text);
  return true;
}

// error and warning share their flags: -showLineNumber (-sl) and -noContext (-n). Any other
// word, even one starting with '-', is part of the message.
bool messageText(CommandCall& call, std::string& text, bool& showLine) {
  bool first = true;
  for (std::size_t i = 0; i < call.count(); ++i) {
    const Value& v = call.arg(i);
    if (v.type() == ValueType::kString) {
      const std::string& s = v.stringRef();
      if ((s == "-sl" || s == "-showLineNumber") && i + 1 < call.count()) {
        showLine = asBoolArg(call.arg(++i));
        continue;
      }
      if (s == "-n" || s == "-noContext")
        continue;
    }
    if (!first)
      text += ' ';
    text += v.asString();
    first = false;
  }
  return true;
}

bool cmdError(CommandCall& call) {
  std::string text;
  bool showLine = false;
  if (!messageText(call, text, showLine))
    return false;
  // An error always stops the script, and always says where it stopped.
  return call.fail(text);
}

bool cmdWarning(CommandCall& call) {
  std::string text;
  bool showLine = false;
  if (!messageText(call, text, showLine))
    return false;
  call.interp.reportWarning(text, showLine);
  return true;
}

bool cmdEval(CommandCall& call) {
  std::string text = joined(call);
  Value result;
  if (!call.interp.runText(text, std::string(), &result)) {
    return false;
  }
  call.result = std::move(result);
  return true;
}

bool cmdSource(CommandCall& call) {
  if (!needArgs(call, 1, 1))
    return false;
  return call.interp.sourceFile(call.arg(0).asString());
}

bool cmdExists(CommandCall& call) {
  if (!needArgs(call, 1, 1))
    return false;
  std::string name = call.arg(0).asString();
  bool found = call.interp.procExists(name) || call.interp.commands().find(name) != nullptr ||
               !call.interp.findScript(name + ".mel").empty();
  call.result = Value(found ? 1 : 0);
  return true;
}

bool cmdSize(CommandCall& call) {
  if (!needArgs(call, 1, 1))
    return false;
  const Value& v = call.arg(0);
  if (v.isArray()) {
    call.result = Value(static_cast<int>(v.arraySize()));
  } else {
    call.result = Value(static_cast<int>(v.asString().size()));
  }
  return true;
}

bool cmdClear(CommandCall& call) {
  if (!needArgs(call, 1, 1))
    return false;
  Value* target = call.ref(0);
  if (target == nullptr || !target->isArray()) {
    return call.failNamed("The argument must be an array variable.");
  }
  target->clearArray();
  call.result = Value(0);
  return true;
}

bool cmdGetenv(CommandCall& call) {
  if (!needArgs(call, 1, 1))
    return false;
  const char* v = std::getenv(call.arg(0).asString().c_str());
  call.result = Value(std::string(v != nullptr ? v : ""));
  return true;
}

bool cmdPutenv(CommandCall& call) {
  if (!needArgs(call, 2, 2))
    return false;
  ::setenv(call.arg(0).asString().c_str(), call.arg(1).asString().c_str(), 1);
  return true;
}

bool cmdAbout(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"b", "batch", 0, 0},
                          {"os", "operatingSystem", 0, 0},
                          {"v", "version", 0, 0},
                          {"api", "apiVersion", 0, 0}})) {
    return false;
  }
  if (flags.has("batch")) {
    call.result = Value(1);
  } else if (flags.has("operatingSystem")) {
    call.result = Value(std::string("linux64"));
  } else if (flags.has("apiVersion")) {
    call.result = Value(400);
  } else {
    call.result = Value(std::string("minihost"));
  }
  return true;
}

bool cmdWhatIs(CommandCall& call) {
  if (!needArgs(call, 1, 1))
    return false;
  std::string name = call.arg(0).asString();
  if (call.interp.procExists(name)) {
    call.result = Value(std::string("Mel procedure"));
  } else if (call.interp.commands().find(name) != nullptr) {
    call.result = Value(std::string("Command"));
  } else {
    call.result = Value(std::string("Unknown"));
  }
  return true;
}

}  // namespace

void registerLanguageBuiltins(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("print", cmdPrint, nullptr, true);
  t.set("error", cmdError);
  t.set("warning", cmdWarning);
  t.set("eval", cmdEval);
  t.set("source", cmdSource);
  t.set("exists", cmdExists);
  t.set("size", cmdSize, nullptr, true);
  t.set("clear", cmdClear, nullptr, true);
  t.set("getenv", cmdGetenv);
  t.set("putenv", cmdPutenv);
  t.set("about", cmdAbout);
  t.set("whatIs", cmdWhatIs);
}

void registerBuiltins(Interpreter& interp) {
  registerLanguageBuiltins(interp);
  registerStringBuiltins(interp);
  registerMathBuiltins(interp);
}

}  // namespace mel
