// Calls to procedures and commands.

#include "mel/Interpreter.h"

#include <unistd.h>

#include <exception>
#include <new>
#include <string>

namespace mel {

namespace {

// Deep enough for any real script, shallow enough that the native stack survives it.
constexpr int kMaxCallDepth = 400;

}  // namespace

Interpreter::Frame Interpreter::acquireFrame(const std::vector<ValueType>& slotTypes) {
  Frame frame;
  if (!framePool_.empty()) {
    frame = std::move(framePool_.back());
    framePool_.pop_back();
  }
  frame.resize(slotTypes.size());
  for (std::size_t i = 0; i < slotTypes.size(); ++i) {
    if (frame[i].type() != slotTypes[i] || slotTypes[i] == ValueType::kNone) {
      frame[i] = Value::defaultOf(slotTypes[i]);
    } else {
      switch (slotTypes[i]) {
        case ValueType::kInt:
          frame[i] = Value(0);
          break;
        case ValueType::kFloat:
          frame[i] = Value(0.0);
          break;
        case ValueType::kString:
          frame[i].stringRef().clear();
          break;
        default:
          frame[i] = Value::defaultOf(slotTypes[i]);
          break;
      }
    }
  }
  return frame;
}

void Interpreter::releaseFrame(Frame&& frame) {
  if (framePool_.size() < 64) {
    framePool_.push_back(std::move(frame));
  }
}

bool Interpreter::resolve(const std::string& name, std::shared_ptr<const ProcDef>& proc,
                          const CommandEntry*& command) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (file_ != nullptr) {
      auto local = localProcs_.find(*file_);
      if (local != localProcs_.end()) {
        auto it = local->second.find(name);
        if (it != local->second.end()) {
          proc = it->second;
          return true;
        }
      }
    }
    auto it = globalProcs_.find(name);
    if (it != globalProcs_.end()) {
      proc = it->second;
      return true;
    }
    command = commands_.find(name);
    if (command == nullptr && fallback_) {
      command = fallback_(*this, name);
    }
    if (command != nullptr) {
      return true;
    }
    // As the host does, a procedure not yet defined is looked for in "name.mel" on the
    // script path, and that file sourced.
    if (attempt == 0) {
      std::string path = findScript(name + ".mel");
      if (path.empty() || !sourceFile(path)) {
        return false;
      }
    }
  }
  return false;
}

bool Interpreter::callProc(const ProcDef& proc, std::vector<Value>& args, Value& result,
                           const std::vector<Value*>* refs) {
  if (args.size() != proc.params.size()) {
    reportError("Wrong number of arguments on call to " + proc.name + ".");
    return false;
  }
  if (callDepth_ >= kMaxCallDepth) {
    reportError("Procedure calls nested too deeply in " + proc.name + ".");
    return false;
  }
  Frame frame = acquireFrame(proc.slotTypes);
  for (std::size_t i = 0; i < args.size(); ++i) {
    ValueType type = proc.params[i].var.type;
    if (!convertForStore(type, args[i])) {
      releaseFrame(std::move(frame));
      return false;
    }
    frame[static_cast<std::size_t>(proc.params[i].var.index)] = std::move(args[i]);
  }
  Frame* savedFrame = frame_;
  const std::string* savedFile = file_;
  int savedLine = line_;
  frame_ = &frame;
  file_ = proc.file.get();
  ++callDepth_;
  Flow flow = execBlock(proc.body);
  --callDepth_;
  bool ok = flow != Flow::kError;
  // `result` may be the caller's returnValue_, so the value is taken out first.
  Value returned = std::move(returnValue_);
  returnValue_ = Value();
  if (ok && flow == Flow::kReturn && proc.returnType != ValueType::kNone) {
    ok = convertForStore(proc.returnType, returned);
    result = std::move(returned);
  } else if (ok && proc.returnType != ValueType::kNone) {
    result = Value::defaultOf(proc.returnType);
  } else {
    result = Value();
  }
  frame_ = savedFrame;
  file_ = savedFile;
  line_ = savedLine;
  // Arrays are passed by reference: the caller's variable sees what the procedure did.
  if (ok && refs != nullptr) {
    for (std::size_t i = 0; i < proc.params.size() && i < refs->size(); ++i) {
      Value* target = (*refs)[i];
      const VarRef& param = proc.params[i].var;
      if (target != nullptr && isArrayType(param.type) && target->type() == param.type) {
        *target = std::move(frame[static_cast<std::size_t>(param.index)]);
      }
    }
  }
  releaseFrame(std::move(frame));
  return ok;
}

bool Interpreter::callCommand(const CommandEntry& command, std::vector<Value>& args, Value& result,
                              const std::vector<Value*>* refs) {
  CommandCall call{*this, command, args, refs, Value()};
  ++commandCalls_;
  ++callDepth_;
  bool ok = false;
  try {
    ok = command.fn(call);
  } catch (const std::bad_alloc&) {
    // A command (a plug-in's among them) that runs out of memory fails like any other instead
    // of ending the host; what it held is released by now, so the message can be made.
    ok = false;
    try {
      call.failNamed("Out of memory.");
    } catch (const std::bad_alloc&) {
      static const char kMessage[] = "// Error: out of memory //\n";
      (void)!::write(2, kMessage, sizeof kMessage - 1);
    }
  } catch (const std::exception& e) {
    // Nor does any other exception a command lets out end the host.
    ok = false;
    try {
      call.failNamed(std::string("Internal error: ") + e.what());
    } catch (const std::bad_alloc&) {
    }
  }
  --callDepth_;
  result = std::move(call.result);
  return ok;
}

bool Interpreter::evalCall(const Expr& e, Value& out) {
  line_ = e.line;
  std::shared_ptr<const ProcDef> proc;
  const CommandEntry* command = nullptr;
  std::uint64_t generation = procGeneration_ ^ (commands_.generation() << 32);
  if (e.cacheGeneration == generation) {
    proc = e.cachedProc.lock();
    command = e.cachedCommand;
  }
  if (!proc && command == nullptr) {
    if (!resolve(e.name, proc, command)) {
      line_ = e.line;
      reportError("Cannot find procedure \"" + e.name + "\".");
      return false;
    }
    // A call node belongs to one file, so its local procedures resolve the same way each
    // time; any definition or removal changes the generation and forces a new lookup.
    e.cacheGeneration = procGeneration_ ^ (commands_.generation() << 32);
    e.cachedProc = proc;
    e.cachedCommand = command;
  }

  std::vector<Value> args(e.children.size());
  std::vector<Value*> refs;
  bool wantRefs = false;
  if (proc) {
    for (const Param& p : proc->params) {
      wantRefs = wantRefs || isArrayType(p.var.type);
    }
  } else {
    wantRefs = command->wantsRefs;
  }
  if (wantRefs) {
    refs.assign(e.children.size(), nullptr);
  }
  for (std::size_t i = 0; i < e.children.size(); ++i) {
    const Expr& arg = *e.children[i];
    if (wantRefs && arg.kind == ExprKind::kVariable) {
      refs[i] = &slot(arg.var);
      if (!proc) {
        continue;  // commands that take references read the variable in place
      }
    }
    if (!eval(arg, args[i]))
      return false;
  }
  line_ = e.line;
  const std::vector<Value*>* refPtr = refs.empty() ? nullptr : &refs;
  bool ok = proc ? callProc(*proc, args, out, refPtr) : callCommand(*command, args, out, refPtr);
  line_ = e.line;
  return ok;
}

}  // namespace mel
