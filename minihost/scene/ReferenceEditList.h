#pragma once
// The edits a reference node keeps (".ed", type "dataReferenceEdits"): what the referencing
// file changed on the referenced file's nodes. The value is the top reference node's name,
// then groups, each a reference node's name, a count, and that many edits. An edit starts with
// its kind's code; its fields are strings:
//   0 parent      child, new parent, flags
//   1 addAttr     node, long name, short name, flags
//   2 setAttr     node, attribute, the setAttr arguments (" -type \"double3\" 1 2 3")
//   3 connectAttr source plug, destination plug, flags
//   4 deleteAttr  node, attribute
//   5 placeholder kind (3: the referenced plug is the source, 4: the destination), reference
//                 node, referenced plug, "<refNode>.placeHolderList[i]", the other plug
//   6 disconnectAttr  source plug, destination plug
//   7 relationship    name, node, count, that many plugs, flag
//   8 lock, 9 unlock  node, attribute

#include <string>
#include <vector>

#include "scene/SceneDescription.h"

namespace minihost::scenefile {

enum class EditKind {
  kParent = 0,
  kAddAttr = 1,
  kSetAttr = 2,
  kConnect = 3,
  kDeleteAttr = 4,
  kPlaceholder = 5,
  kDisconnect = 6,
  kRelationship = 7,
  kLock = 8,
  kUnlock = 9,
};

struct ReferenceEdit {
  int code = 0;  // an EditKind, or a code this reader does not know
  int placeholderKind = 0;
  std::vector<std::string> fields;
};

struct ReferenceEditList {
  std::string topNode;
  std::vector<ReferenceEdit> edits;
};

// False, with `problem`, when the value stops making sense; the edits read before it are kept.
bool decodeReferenceEdits(const EditTokens& tokens, ReferenceEditList& out, std::string& problem);

// "camRN.placeHolderList[3]" or "camRN.phl[3]": the node and the index; false otherwise.
bool placeholderSlot(const std::string& plug, std::string& node, long long& index);

}  // namespace minihost::scenefile
