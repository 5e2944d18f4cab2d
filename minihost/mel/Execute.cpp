// Statement execution.

#include "mel/Interpreter.h"

namespace mel {

Interpreter::Flow Interpreter::exec(const Stmt& s) {
  line_ = s.line;
  switch (s.kind) {
    case StmtKind::kEmpty:
      return Flow::kNext;
    case StmtKind::kExpr:
      return eval(*s.expr, lastResult_) ? Flow::kNext : Flow::kError;
    case StmtKind::kDeclare:
      return execDeclare(s);
    case StmtKind::kBlock:
      return execBlock(s.body);
    case StmtKind::kIf: {
      Value c;
      if (!eval(*s.expr, c))
        return Flow::kError;
      if (c.asBool())
        return exec(*s.then);
      return s.otherwise ? exec(*s.otherwise) : Flow::kNext;
    }
    case StmtKind::kWhile:
      while (true) {
        Value c;
        line_ = s.line;
        if (!eval(*s.expr, c))
          return Flow::kError;
        if (!c.asBool())
          return Flow::kNext;
        Flow f = exec(*s.then);
        if (f == Flow::kBreak)
          return Flow::kNext;
        if (f == Flow::kError || f == Flow::kReturn)
          return f;
      }
    case StmtKind::kDoWhile:
      while (true) {
        Flow f = exec(*s.then);
        if (f == Flow::kBreak)
          return Flow::kNext;
        if (f == Flow::kError || f == Flow::kReturn)
          return f;
        Value c;
        line_ = s.line;
        if (!eval(*s.expr, c))
          return Flow::kError;
        if (!c.asBool())
          return Flow::kNext;
      }
    case StmtKind::kFor:
      return execFor(s);
    case StmtKind::kForIn:
      return execForIn(s);
    case StmtKind::kSwitch:
      return execSwitch(s);
    case StmtKind::kBreak:
      return Flow::kBreak;
    case StmtKind::kContinue:
      return Flow::kContinue;
    case StmtKind::kReturn:
      if (s.expr) {
        if (!eval(*s.expr, returnValue_))
          return Flow::kError;
      } else {
        returnValue_ = Value();
      }
      return Flow::kReturn;
  }
  return Flow::kNext;
}

Interpreter::Flow Interpreter::execBlock(const std::vector<StmtPtr>& body) {
  for (const auto& child : body) {
    Flow f = exec(*child);
    if (f != Flow::kNext)
      return f;
  }
  return Flow::kNext;
}

Interpreter::Flow Interpreter::execDeclare(const Stmt& s) {
  for (const Declarator& d : s.decls) {
    if (d.initOnce) {
      if (d.initDone || !d.init) {
        continue;
      }
      d.initDone = true;
    }
    Value v;
    if (d.init) {
      if (!eval(*d.init, v))
        return Flow::kError;
      line_ = s.line;
    } else {
      v = Value::defaultOf(d.var.type);
    }
    if (!assignTo(d.var, std::move(v)))
      return Flow::kError;
  }
  return Flow::kNext;
}

Interpreter::Flow Interpreter::execFor(const Stmt& s) {
  Value ignored;
  for (const auto& e : s.init) {
    if (!eval(*e, ignored))
      return Flow::kError;
  }
  while (true) {
    line_ = s.line;
    if (s.expr) {
      Value c;
      if (!eval(*s.expr, c))
        return Flow::kError;
      if (!c.asBool())
        return Flow::kNext;
    }
    Flow f = exec(*s.then);
    if (f == Flow::kBreak)
      return Flow::kNext;
    if (f == Flow::kError || f == Flow::kReturn)
      return f;
    line_ = s.line;
    for (const auto& e : s.step) {
      if (!eval(*e, ignored))
        return Flow::kError;
    }
  }
}

Interpreter::Flow Interpreter::execForIn(const Stmt& s) {
  Value array;
  if (!eval(*s.expr, array))
    return Flow::kError;
  if (!array.isArray()) {
    line_ = s.line;
    reportError("\"for-in\" needs an array, not a " + std::string(typeName(array.type())) + ".");
    return Flow::kError;
  }
  // The loop walks a copy, so the body may change the array freely.
  std::size_t n = array.arraySize();
  for (std::size_t i = 0; i < n; ++i) {
    line_ = s.line;
    if (!assignTo(s.loopVar, array.element(i)))
      return Flow::kError;
    Flow f = exec(*s.then);
    if (f == Flow::kBreak)
      return Flow::kNext;
    if (f == Flow::kError || f == Flow::kReturn)
      return f;
  }
  return Flow::kNext;
}

Interpreter::Flow Interpreter::execSwitch(const Stmt& s) {
  Value subject;
  if (!eval(*s.expr, subject))
    return Flow::kError;
  const SwitchCase* chosen = nullptr;
  const SwitchCase* fallback = nullptr;
  for (const SwitchCase& c : s.cases) {
    if (!c.value) {
      fallback = &c;
      continue;
    }
    Value v;
    if (!eval(*c.value, v))
      return Flow::kError;
    Value equal;
    if (!evalBinary(kOpEq, subject, v, equal))
      return Flow::kError;
    if (equal.asBool()) {
      chosen = &c;
      break;
    }
  }
  if (chosen == nullptr)
    chosen = fallback;
  if (chosen == nullptr)
    return Flow::kNext;
  // Cases fall through to the next one until a break.
  for (std::size_t i = chosen->firstStatement; i < s.body.size(); ++i) {
    Flow f = exec(*s.body[i]);
    if (f == Flow::kBreak)
      return Flow::kNext;
    if (f != Flow::kNext)
      return f;
  }
  return Flow::kNext;
}

}  // namespace mel
