#pragma once
// What an addAttr request says, as scene files and scripts write it (-ln, -sn, -at, -dt, ...),
// turned into the attribute Scene::addAttribute adds. Shared by the scene reader and the
// script command, so that both take the same flags alike.

#include <string>

#include "engine/NodeExtras.h"

namespace minihost {

struct AddAttrRequest {
  std::string longName;       // -ln
  std::string shortName;      // -sn
  std::string niceName;       // -nn
  std::string attributeType;  // -at; "double" when neither it nor -dt is given
  std::string dataType;       // -dt
  std::string parent;         // -p: the compound it belongs to
  std::string enumNames;      // -en: "Off:On" or "Low=1:High=5"
  int numberOfChildren = -1;  // -nc
  bool hasDefault = false, hasMin = false, hasMax = false, hasSoftMin = false, hasSoftMax = false;
  double defaultValue = 0.0, minValue = 0.0, maxValue = 0.0, softMin = 0.0, softMax = 0.0;
  bool keyable = false;  // -k
  bool hidden = false;   // -h
  bool multi = false;    // -m
};

// False with `problem` for what the scene cannot hold (multi attributes, matrices, data types
// other than string, an enum without fields or with too many).
bool makeDynamicAttribute(const AddAttrRequest& request, DynamicAttribute& out,
                          std::string& problem);

// The -at name a script reads back for an attribute type (getAttr -type, attributeQuery -at).
const char* attributeTypeName(AttrType type);

}  // namespace minihost
