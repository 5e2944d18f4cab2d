#include <maya/MPxCommand.h>

#include <maya/MGlobal.h>

#include "engine/CommandResult.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::CommandResult;
using minihost::currentCommandResult;

namespace {

// Appending to a scalar result turns it into an array of its kind.
void toArray(CommandResult& r, CommandResult::Kind arrayKind) {
  if (r.kind == arrayKind)
    return;
  if (r.kind == CommandResult::Kind::kInt && arrayKind == CommandResult::Kind::kIntArray) {
    r.kind = arrayKind;
    return;
  }
  if (r.kind == CommandResult::Kind::kDouble && arrayKind == CommandResult::Kind::kDoubleArray) {
    r.kind = arrayKind;
    return;
  }
  if (r.kind == CommandResult::Kind::kString && arrayKind == CommandResult::Kind::kStringArray) {
    r.kind = arrayKind;
    return;
  }
  r.clear();
  r.kind = arrayKind;
}

}  // namespace

MPxCommand::MPxCommand() = default;
MPxCommand::~MPxCommand() = default;

MStatus MPxCommand::doIt(const MArgList&) {
  return MS::kFailure;
}
MStatus MPxCommand::undoIt() {
  return MS::kFailure;
}
MStatus MPxCommand::redoIt() {
  return MS::kFailure;
}
bool MPxCommand::isUndoable() const {
  return false;
}
bool MPxCommand::hasSyntax() const {
  return false;
}

MStatus MPxCommand::setCommandString(const MString& name) {
  commandString_ = name;
  return MS::kSuccess;
}

MString MPxCommand::commandString(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return commandString_;
}

void MPxCommand::displayInfo(const MString& theInfo) {
  MGlobal::displayInfo(theInfo);
}
void MPxCommand::displayWarning(const MString& theWarning, bool showLineNumber) {
  MGlobal::displayWarning(theWarning, showLineNumber);
}
void MPxCommand::displayError(const MString& theError, bool showLineNumber) {
  MGlobal::displayError(theError, showLineNumber);
}

void MPxCommand::clearResult() {
  currentCommandResult().clear();
}

void MPxCommand::setResult(unsigned int val) {
  setResult(static_cast<int>(val));
}
void MPxCommand::setResult(int val) {
  CommandResult& r = currentCommandResult();
  r.clear();
  r.kind = CommandResult::Kind::kInt;
  r.ints.push_back(val);
}
void MPxCommand::setResult(float val) {
  setResult(static_cast<double>(val));
}
void MPxCommand::setResult(double val) {
  CommandResult& r = currentCommandResult();
  r.clear();
  r.kind = CommandResult::Kind::kDouble;
  r.doubles.push_back(val);
}
void MPxCommand::setResult(bool val) {
  setResult(val ? 1 : 0);
}
void MPxCommand::setResult(const char* val) {
  setResult(MString(val));
}
void MPxCommand::setResult(const MString& val) {
  CommandResult& r = currentCommandResult();
  r.clear();
  r.kind = CommandResult::Kind::kString;
  r.strings.push_back(val.asChar());
}
void MPxCommand::setResult(const MIntArray& val) {
  CommandResult& r = currentCommandResult();
  r.clear();
  r.kind = CommandResult::Kind::kIntArray;
  r.ints = val.storage();
}
void MPxCommand::setResult(const MDoubleArray& val) {
  CommandResult& r = currentCommandResult();
  r.clear();
  r.kind = CommandResult::Kind::kDoubleArray;
  r.doubles = val.storage();
}
void MPxCommand::setResult(const MStringArray& val) {
  CommandResult& r = currentCommandResult();
  r.clear();
  r.kind = CommandResult::Kind::kStringArray;
  for (unsigned int i = 0; i < val.length(); ++i)
    r.strings.push_back(val[i].asChar());
}

void MPxCommand::appendToResult(int val) {
  CommandResult& r = currentCommandResult();
  toArray(r, CommandResult::Kind::kIntArray);
  r.ints.push_back(val);
}
void MPxCommand::appendToResult(double val) {
  CommandResult& r = currentCommandResult();
  toArray(r, CommandResult::Kind::kDoubleArray);
  r.doubles.push_back(val);
}
void MPxCommand::appendToResult(const char* val) {
  appendToResult(MString(val));
}
void MPxCommand::appendToResult(const MString& val) {
  CommandResult& r = currentCommandResult();
  toArray(r, CommandResult::Kind::kStringArray);
  r.strings.push_back(val.asChar());
}
void MPxCommand::appendToResult(const MStringArray& val) {
  for (unsigned int i = 0; i < val.length(); ++i)
    appendToResult(val[i]);
}

OPENMAYA_NAMESPACE_CLOSE
