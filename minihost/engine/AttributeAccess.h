#pragma once
// Named attribute reads and writes for the function sets, which attach to a node
// handle and speak in attribute names.

#include <maya/MObject.h>
#include <maya/MStatus.h>

namespace minihost {

// Value of a numeric attribute of a live node; 0 and kFailure otherwise.
double readAttribute(const MObject& node, const char* name, MStatus* ReturnStatus);
MStatus writeAttribute(const MObject& node, const char* name, double value);

}  // namespace minihost
