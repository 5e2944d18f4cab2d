#pragma once
// Base class of plug-in commands. The host makes one instance per call through the
// registered creator, calls doIt, takes the result set with setResult, and deletes it.

#include <maya/MArgList.h>
#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MPxCommand {
 public:
  enum MResultType { kLong, kDouble, kString, kNoArg };

  MPxCommand();
  virtual ~MPxCommand();

  virtual MStatus doIt(const MArgList& args);
  virtual MStatus undoIt();
  virtual MStatus redoIt();
  virtual bool isUndoable() const;
  virtual bool hasSyntax() const;

  MStatus setCommandString(const MString& name);
  MString commandString(MStatus* ReturnStatus = NULL) const;

  static void displayInfo(const MString& theInfo);
  static void displayWarning(const MString& theWarning, bool showLineNumber = false);
  static void displayError(const MString& theError, bool showLineNumber = false);

  static void clearResult();
  static void setResult(unsigned int val);
  static void setResult(int val);
  static void setResult(float val);
  static void setResult(double val);
  static void setResult(bool val);
  static void setResult(const char* val);
  static void setResult(const MString& val);
  static void setResult(const MIntArray& val);
  static void setResult(const MDoubleArray& val);
  static void setResult(const MStringArray& val);
  static void appendToResult(int val);
  static void appendToResult(double val);
  static void appendToResult(const char* val);
  static void appendToResult(const MString& val);
  static void appendToResult(const MStringArray& val);

 private:
  MPxCommand(const MPxCommand&) = delete;
  MPxCommand& operator=(const MPxCommand&) = delete;
  MString commandString_;
};

OPENMAYA_NAMESPACE_CLOSE
