#pragma once
// Shared by the host commands: finding nodes and plugs by name, converting between the
// scene's stored units and the units scripts see, and the selection.

#include <string>
#include <vector>

#include "engine/Scene.h"
#include "mel/CommandTable.h"
#include "mel/Flags.h"
#include "mel/Value.h"

namespace mel::host {

minihost::Scene& scene();

// The node a name or path names; reports "No object matches name: X" when none.
bool findNode(CommandCall& call, const std::string& name, minihost::NodeRef& out);

struct Plug {
  minihost::NodeRef node;
  int attribute = -1;
  std::string text;  // as written, for messages
};
// "node.attribute"; reports a missing node or attribute.
bool findPlug(CommandCall& call, const std::string& text, Plug& out);

// The objects a command works on: the named ones, or the selection when none are named.
bool objectsOrSelection(CommandCall& call, const std::vector<Value>& names,
                        std::vector<minihost::NodeRef>& out);
std::vector<minihost::NodeRef> selectedNodes();
void setSelection(const std::vector<minihost::NodeRef>& nodes);

// A transform's shape child of the given kind, or the node itself when it is one.
minihost::NodeRef shapeOf(minihost::NodeRef ref, minihost::NodeKind kind);
// A shape's transform, or the node itself.
minihost::NodeRef transformOf(minihost::NodeRef ref);

std::string nodeName(minihost::NodeRef ref);

// Stored value <-> script value for an attribute type (cm <-> UI length, radians <->
// UI angle, ticks <-> UI time).
double toScript(minihost::AttrType type, double stored);
double fromScript(minihost::AttrType type, double value);
double ticksPerUiUnit();
double linearToScript(double cm);
double linearFromScript(double value);
double angleToScript(double radians);
double angleFromScript(double value);

// Reads an attribute as a script value: numbers by type, strings, compounds as arrays.
bool readAttribute(CommandCall& call, const Plug& plug, Value& out, const double* atTicks);

// Converts stored numbers through an attribute's desc; false for non-numeric ones.
bool numericAttribute(const minihost::AttributeInfo& desc);

Value namesValue(const std::vector<minihost::NodeRef>& nodes, bool longNames = false);

}  // namespace mel::host
