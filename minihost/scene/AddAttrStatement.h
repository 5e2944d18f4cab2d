#pragma once
// A scene file's addAttr statement, read as data: the attribute it adds to the node of the
// createNode (or select) before it, as the host writes it:
//   addAttr -ci true -k true -sn "fl" -ln "follow" -min 0 -max 1 -at "double";
//   addAttr -ci true -sn "space" -ln "space" -at "enum" -en "world:local";

#include <string>

#include "engine/AddAttrRequest.h"
#include "scene/StatementWords.h"

namespace minihost::scenefile {

// False, with `problem`, for flags the host does not write or values that do not read.
bool readAddAttrStatement(const StatementWords& args, AddAttrRequest& out, std::string& problem);

}  // namespace minihost::scenefile
