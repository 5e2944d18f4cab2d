#pragma once
// Reads the statements of a scene file into a SceneDescription. The scene vocabulary is taken
// as data; every other statement (procedures, python, system, eval, unknown commands) is
// skipped whole, never run, with one warning naming its line and command.

#include <string>

#include "scene/SceneDescription.h"
#include "scene/SceneLexer.h"

namespace minihost::scenefile {

struct ParseResult {
  bool ok = false;
  std::string error;  // "file:line: what", when not ok
};

ParseResult parseScene(SceneLexer& lexer, SceneDescription& out);

}  // namespace minihost::scenefile
