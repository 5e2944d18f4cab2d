#include "shell/ErrorReport.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <cstdio>

void reportError(const GString& message) {
  MGlobal::executeCommand(MString("warning \" vxr error - see output window for details.\"\n"),
                          false, false);
  std::fwrite(message.data(), 1, message.length(), stdout);
  std::fflush(stdout);
}

bool queryUpAxisIsZ() {
  MString axis;
  MGlobal::executeCommand(MString("upAxis -q -axis;"), axis, false, false);
  return axis.length() > 0 && axis.asChar()[0] == 'z';
}
