#pragma once
// The syntax tree the parser builds and the evaluator walks. Variables are resolved by
// the parser to frame slots or global table entries, so running a tree never looks a
// variable up by name; calls cache what their name resolved to.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mel/Value.h"

namespace mel {

struct ProcDef;
struct CommandEntry;

// Where a variable lives: a slot of the running frame, or an entry of the global table.
struct VarRef {
  std::string name;  // without the '$', for messages
  bool global = false;
  int index = -1;
  ValueType type = ValueType::kNone;  // kNone: takes the type of what is assigned
};

enum class ExprKind {
  kLiteral,        // value
  kArrayLiteral,   // children: the elements
  kVectorLiteral,  // children: x, y, z
  kVariable,       // var
  kIndex,          // var[children[0]]
  kComponent,      // var.x / .y / .z: op holds 'x', 'y' or 'z'; children[0] optional index
  kUnary,          // op: '-', '!', '+'; children[0]
  kBinary,         // op; children[0], children[1]
  kLogical,        // op: '&' (&&) or '|' (||); short-circuit
  kTernary,        // children: condition, then, else
  kAssign,         // op: '=', '+', '-', '*', '/'; children[0] target, children[1] value
  kIncDec,         // op: '+' or '-'; prefix flag; children[0] target
  kCall,           // name, children: the arguments
  kCast,           // castType; children[0]
  kCatch           // children[0]; quiet flag
};

// Binary operator codes held in Expr::op.
enum BinaryOp : int {
  kOpAdd = '+',
  kOpSub = '-',
  kOpMul = '*',
  kOpDiv = '/',
  kOpMod = '%',
  kOpCross = '^',
  kOpLess = '<',
  kOpGreater = '>',
  kOpLessEq = 'l',
  kOpGreaterEq = 'g',
  kOpEq = 'e',
  kOpNotEq = 'n'
};

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
  ExprKind kind = ExprKind::kLiteral;
  int line = 0;
  int op = 0;
  bool prefix = false;         // kIncDec
  bool quiet = false;          // kCatch: catchQuiet
  bool commandSyntax = false;  // kCall written as `cmd arg arg`
  bool isFlag = false;         // a literal written as -flag in command syntax
  ValueType castType = ValueType::kNone;
  Value value;
  VarRef var;
  std::string name;
  std::vector<ExprPtr> children;

  // Call target cache, valid while `cacheGeneration` equals the interpreter's definition
  // generation (bumped whenever a proc or command is defined or removed).
  mutable std::uint64_t cacheGeneration = 0;
  mutable std::weak_ptr<const ProcDef> cachedProc;  // weak: a proc's body holds its own calls
  mutable const CommandEntry* cachedCommand = nullptr;
};

enum class StmtKind {
  kExpr,
  kDeclare,
  kBlock,
  kIf,
  kWhile,
  kDoWhile,
  kFor,
  kForIn,
  kSwitch,
  kBreak,
  kContinue,
  kReturn,
  kEmpty
};

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;

struct Declarator {
  VarRef var;
  ExprPtr init;  // may be null
  // A global's initializer runs once, when the declaration that created it first runs;
  // a declaration of an existing global leaves its value alone.
  bool initOnce = false;
  mutable bool initDone = false;
};

struct SwitchCase {
  ExprPtr value;                   // null for default
  std::size_t firstStatement = 0;  // index into Stmt::body where the case starts
};

struct Stmt {
  StmtKind kind = StmtKind::kEmpty;
  int line = 0;
  ExprPtr expr;                   // kExpr, kReturn value, conditions, kSwitch subject
  std::vector<Declarator> decls;  // kDeclare
  std::vector<StmtPtr> body;      // kBlock, kSwitch statements
  StmtPtr then;                   // kIf then, loop bodies
  StmtPtr otherwise;              // kIf else
  std::vector<ExprPtr> init;      // kFor
  std::vector<ExprPtr> step;      // kFor
  VarRef loopVar;                 // kForIn
  std::vector<SwitchCase> cases;  // kSwitch
};

struct Param {
  VarRef var;  // a local slot of the proc's frame
};

// A procedure; shared so that a call in progress keeps it alive if it is redefined.
struct ProcDef {
  std::string name;
  bool global = false;
  ValueType returnType = ValueType::kNone;
  std::vector<Param> params;
  std::vector<StmtPtr> body;
  std::vector<ValueType> slotTypes;  // the frame layout
  std::shared_ptr<const std::string> file;
  int line = 0;
};

// One parsed piece of source: a file, -c text or an eval string.
struct Unit {
  std::shared_ptr<const std::string> file;  // empty name for text without a file
  std::vector<StmtPtr> statements;
  std::vector<ValueType> slotTypes;
  std::vector<std::shared_ptr<ProcDef>> procs;
};

}  // namespace mel
