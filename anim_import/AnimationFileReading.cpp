#include "anim_import/AnimationFileReading.h"

#include <maya/MString.h>

#include <memory>
#include <new>

#include "anim_import/DocumentRegistry.h"
#include "anim_model/AnimationDocument.h"
#include "boundary/base/GIO.h"
#include "boundary/base/GString.h"
#include "boundary/base/ifpstream.h"
#include "shell/ErrorReport.h"

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
  const std::int32_t handle = DocumentRegistry::instance().registerDocument(std::move(document));
  if (handle == 0)
    return {AnimationReadOutcome::kBadFile, 0};
  return {AnimationReadOutcome::kLoaded, handle};
}
