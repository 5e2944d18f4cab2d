#pragma once
// The "file" statements at the head of a scene file, read as data:
//   file -rdi 1 -ns "cam" -rfn "camRN" -op "v=0;" -typ "mayaAscii" "/show/cam.ma";
//   file -r -ns "cam" -dr 1 -rfn "camRN" -op "v=0;" -typ "mayaAscii" "/show/cam.ma";

#include <string>

#include "scene/SceneDescription.h"
#include "scene/StatementWords.h"

namespace minihost::scenefile {

// False, with `problem`, for a statement that is neither a reference nor its depth record.
bool readReferenceStatement(const StatementWords& args, int line, ReferenceEntry& out,
                            std::string& problem);

}  // namespace minihost::scenefile
