#pragma once
// On-demand evaluation of rig nodes: constraints, lookAt, pairBlend, utility nodes and
// driven keys. Reading a plug fed by one of them pulls its inputs first (so the order is
// the dependency graph's), and a result is kept until the scene's revision changes. A
// cycle is refused with one warning naming its nodes; the stored values are used then.

#include <maya/MMatrix.h>

#include "engine/Handles.h"

namespace minihost {

class Scene;

// Value of an output attribute of an evaluated node, at `atTicks` when given (the current
// time otherwise). False when the attribute is not one of the node's outputs or a cycle
// stops the evaluation.
bool evaluateOutput(const Scene& scene, NodeRef node, int attribute, double& out,
                    const double* atTicks);

// Value of a matrix attribute: worked out from its connection (a transform's matrix,
// worldMatrix, parentMatrix, their inverses, or a multMatrix), identity when unconnected.
MMatrix readMatrix(const Scene& scene, NodeRef node, int attribute, const double* atTicks);

// A transform's local and world matrices with its attributes read at `atTicks`.
MMatrix localMatrixAt(const Scene& scene, NodeRef node, const double* atTicks);
MMatrix worldMatrixAt(const Scene& scene, NodeRef node, const double* atTicks);

}  // namespace minihost
