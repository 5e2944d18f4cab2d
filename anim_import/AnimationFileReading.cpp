#include "anim_import/AnimationFileReading.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <cstdlib>
#include <limits>
#include <memory>
#include <new>

#include "anim_import/DocumentRegistry.h"
#include "anim_model/AnimationDocument.h"
#include "boundary/base/GIO.h"
#include "boundary/base/GString.h"
#include "boundary/base/ifpstream.h"
#include "shell/ErrorReport.h"

namespace {

// The registry dies when the module is unloaded; the host process does not. The last handle
// issued is kept in a global script variable of the host as well, so that after a reload the
// count goes on instead of starting again at 1 (a job issued for an old document must never
// find a new one under its handle).
const char kLastHandleVariable[] = "$gVXRLastDocumentHandle";

std::int32_t hostLastHandle() {
  MString value;
  const MString query = MString("global int ") + kLastHandleVariable + "; " + kLastHandleVariable;
  if (!MGlobal::executeCommand(query, value, false, false))
    return 0;
  char* end = nullptr;
  const long handle = std::strtol(value.asChar(), &end, 10);
  if (end == value.asChar() || *end != '\0' || handle < 1 ||
      handle > std::numeric_limits<std::int32_t>::max())
    return 0;
  return static_cast<std::int32_t>(handle);
}

void setHostLastHandle(std::int32_t handle) {
  const MString command = MString("global int ") + kLastHandleVariable + "; " +
                          kLastHandleVariable + " = " +
                          GString::Format("%li", static_cast<long>(handle)).c_str() + ";";
  MGlobal::executeCommand(command, false, false);
}

}  // namespace

AnimationReadResult readAnimationFile(const MString& fileName) {
  ifpstream in(GString(fileName.asChar(), fileName.length()), GIO::IORead, GFileIO::IOOpenExisting,
               GFileIO::IOShareRead);
  if (in.fail())
    return {AnimationReadOutcome::kCannotOpen, 0};

  std::unique_ptr<AnimationDocument> document(new (std::nothrow) AnimationDocument());
  if (!document || !document->read(in))
    return {AnimationReadOutcome::kBadFile, 0};
  in.close();

  document->convertUpAxis(document->upAxisIsZ, queryUpAxisIsZ());
  DocumentRegistry& registry = DocumentRegistry::instance();
  registry.setLastIssued(hostLastHandle());
  const std::int32_t handle = registry.registerDocument(std::move(document));
  if (handle == 0)
    return {AnimationReadOutcome::kBadFile, 0};
  setHostLastHandle(handle);
  return {AnimationReadOutcome::kLoaded, handle};
}
