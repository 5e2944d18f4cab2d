#pragma once
// Attribute tables of the rig node kinds (constraints, lookAt, blends, utility nodes, driven
// keys) and the matrix attributes of transforms. Multi attributes of the host are modelled
// with a fixed number of elements, each element's attributes named with its index
// ("target[2].targetTranslateX", short "tg[2].ttx").

#include <memory>
#include <string>
#include <vector>

#include "engine/NodeTypes.h"

namespace minihost {

// Elements of each multi attribute (constraint targets, blend inputs, matrix inputs).
constexpr int kRigMultiSize = 8;

std::string elementName(const std::string& multi, int index, const std::string& child = "");

void addTransformMatrixAttributes(NodeType& transform);
void addRigNodeTypes(std::vector<std::unique_ptr<NodeType>>& types);

}  // namespace minihost
