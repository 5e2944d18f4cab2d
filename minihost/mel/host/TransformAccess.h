#pragma once
// Shared by move, rotate, scale and xform: the transforms a command acts on and their
// translate, rotate and scale in script units.

#include <vector>

#include "mel/host/HostCommon.h"

namespace mel::host {

// Reads or writes the compound "translate", "rotate" or "scale" of a transform.
void getTriple(minihost::NodeRef ref, const char* name, double out[3]);
bool setTriple(CommandCall& call, minihost::NodeRef ref, const char* name, const double v[3]);

// The transforms of the named objects (or of the selection): a shape stands for its
// transform. Fails when there are none or one is not a transform.
bool transformsOf(CommandCall& call, const std::vector<Value>& names,
                  std::vector<minihost::NodeRef>& out);

// A world-space position brought into the space of the transform's parent, in script units.
void worldToLocal(minihost::NodeRef ref, double p[3]);

}  // namespace mel::host
