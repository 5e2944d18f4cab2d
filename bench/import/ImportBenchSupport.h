#pragma once
// What the import benchmarks share: writing their animation file and sending MEL to the host.

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <string>

#include "anim_model/AnimationDocument.h"
#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/GIO.h"
#include "boundary/base/ofpstream.h"

// Writes the document's cameras and lights as a y-up animation file.
inline void writeBenchDocument(const std::string& path, const AnimationDocument& document) {
  ofpstream out(path.c_str(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  AnimationFileHeader header;
  header.upAxisIsZ = false;
  header.write(out, document.cameras);
  header.writeLights(out, document.lights);
  out.close();
}

// Runs MEL quietly; the command's result goes to `result` when given.
inline bool runMel(const std::string& text, std::string* result = nullptr) {
  MString value;
  const bool ok = MGlobal::executeCommand(MString(text.c_str()), value, false, false);
  if (result != nullptr)
    *result = value.asChar();
  return ok;
}
