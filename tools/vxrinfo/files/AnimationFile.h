#pragma once

#include <string>

#include "anim_model/AnimationDocument.h"
#include "boundary/base/FileFault.h"
#include "tools/vxrinfo/files/FileKind.h"

class JsonWriter;
class TextSink;

// An animation file checked field by field and, when its structure is whole, loaded into an
// AnimationDocument by the same reader the plug-in uses. The keys stay in the file's axes.
struct AnimationFile {
  std::string path;
  FileIdentity identity;
  FaultList faults;
  AnimationDocument document;
  bool loaded = false;  // the document holds the file's tracks
};

// Checks and loads `file.path` (whose identity says it is an animation file). False when the
// file could not be loaded; `file.faults` says why.
bool loadAnimationFile(AnimationFile& file);

// The readable summary: version, up axis, every track with name, key count, frame range and,
// for lights, the light types.
void writeAnimationSummary(const AnimationFile& file, TextSink& out);
// The whole file as one JSON document (see docs/vxrinfo.md).
void writeAnimationJson(const AnimationFile& file, JsonWriter& json);

// "directional", "point", "spot", or "unknown".
const char* lightTypeName(int type);
// The name, or "unknown type N".
std::string lightTypeLabel(int type);
