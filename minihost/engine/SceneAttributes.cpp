// Attribute values, connections, key-frame curves and time of the scene.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <unordered_set>

#include "engine/ScriptHost.h"

#include "engine/RigEvaluation.h"
#include "engine/Scene.h"
#include "engine/UndoQueue.h"

namespace minihost {
namespace {
// Bound on chains of plain connections followed by one read; guards against cycles.
constexpr int kMaxConnectionDepth = 32;

// A curve that drives an enum attribute (rotateOrder) out of its range is said once per
// attribute; the value is clamped into the range.
void warnEnumOutOfRange(const Node& n, const AttributeInfo& info, double value) {
  const double whole = std::trunc(value);
  if (whole >= info.minValue && whole <= info.maxValue)
    return;
  // Keyed by the node's serial, which no later node takes, not by its name.
  static std::unordered_set<std::string> warned;
  const std::string key = std::to_string(n.serial) + "." + info.longName;
  if (warned.count(key) > 0 || warned.size() >= 10000)
    return;
  warned.insert(key);
  const std::string plug = n.name + "." + info.longName;
  const double used =
      std::isnan(value) ? info.minValue : std::min(std::max(whole, info.minValue), info.maxValue);
  const std::string text(plug + " is driven to " + std::to_string(value) + ", outside " +
                         std::to_string(static_cast<int>(info.minValue)) + ".." +
                         std::to_string(static_cast<int>(info.maxValue)) + "; " +
                         std::to_string(static_cast<int>(used)) + " is used");
  if (ScriptHost* host = scriptHost())
    host->displayWarning(text);
  else
    printWarning(text);
}
}  // namespace

bool Scene::numericType(AttrType t) {
  return t != AttrType::kString && t != AttrType::kMessage && t != AttrType::kCompound &&
         t != AttrType::kMatrix && t != AttrType::kGeometry;
}

int Scene::findAttribute(NodeRef ref, const std::string& name) const {
  const Node* n = node(ref);
  if (!n)
    return -1;
  const int found = n->type->findAttribute(name);
  if (found >= 0 || !n->extras())
    return found;
  auto added = n->extras()->byName.find(name);
  return added != n->extras()->byName.end() ? added->second : -1;
}

const AttributeInfo* Scene::attributeInfo(NodeRef ref, int attribute) const {
  const Node* n = node(ref);
  if (!n || attribute < 0)
    return nullptr;
  if (attribute >= static_cast<int>(n->type->attributes.size())) {
    const DynamicAttribute* added = dynamicSlot(*n, attribute);
    return added ? &added->info : nullptr;
  }
  return &n->type->attributes[attribute];
}

bool Scene::getNumber(NodeRef ref, int attribute, double& out, const double* atTicks) const {
  NodeRef current = ref;
  int attr = attribute;
  for (int depth = 0; depth < kMaxConnectionDepth; ++depth) {
    const AttributeInfo* info = attributeInfo(current, attr);
    if (!info || !numericType(info->type))
      return false;
    const Node* n = node(current);
    // Outputs of rig nodes are worked out from their inputs when read.
    if ((info->derived || isEvaluatedKind(n->kind())) &&
        evaluateOutput(*this, current, attr, out, atTicks))
      return true;
    NodeRef src;
    int srcAttr = -1;
    if (!inputOf(current, attr, src, srcAttr)) {
      out = storedNumber(*n, attr);
      return true;
    }
    const Node* s = node(src);
    if (s->curve()) {
      // Outside a timed context the pushed value holds, so a value set on an
      // animated attribute shows until the time changes (as keying expects).
      out = atTicks ? s->curve()->evaluate(*atTicks) : storedNumber(*n, attr);
      return true;
    }
    current = src;
    attr = srcAttr;
  }
  return false;
}

void Scene::storeNumber(Node& n, int attribute, double value) {
  DynamicAttribute* added = dynamicSlot(n, attribute);
  if (!added && attribute >= static_cast<int>(n.type->attributes.size()))
    return;
  const AttributeInfo& info = added ? added->info : n.type->attributes[attribute];
  switch (info.type) {
    case AttrType::kBool:
      value = value != 0.0 ? 1.0 : 0.0;
      break;
    case AttrType::kEnum:
      // Only a curve gets here with a value out of range (setNumber refuses one); it is clamped
      // so that no reader converts a number no enum holds.
      value = std::isnan(value)
                  ? info.minValue
                  : std::min(std::max(std::trunc(value), info.minValue), info.maxValue);
      break;
    case AttrType::kShort:
      value = std::isnan(value) ? 0.0 : std::min(std::max(std::trunc(value), -32768.0), 32767.0);
      break;
    case AttrType::kInt:
      value = std::isnan(value)
                  ? 0.0
                  : std::min(std::max(std::trunc(value), -2147483648.0), 2147483647.0);
      break;
    case AttrType::kFloat:
      value = static_cast<double>(static_cast<float>(value));
      break;
    default:
      break;
  }
  if (added) {
    // A curve can drive an added attribute past its limits; it holds at them, as the host's do.
    if (added->limits.hasMin && value < added->limits.minValue)
      value = added->limits.minValue;
    if (added->limits.hasMax && value > added->limits.maxValue)
      value = added->limits.maxValue;
    added->number = value;
  } else {
    n.values.setNumber(*n.type, attribute, value);
  }
  ++revision_;
}

bool Scene::setNumber(NodeRef ref, int attribute, double value) {
  // The node is looked up once for every check: a file sets tens of thousands of values.
  Node* n = node(ref);
  if (!n || attribute < 0 || std::isnan(value))
    return false;
  const bool own = attribute < static_cast<int>(n->type->attributes.size());
  const DynamicAttribute* added = own ? nullptr : dynamicSlot(*n, attribute);
  const AttributeInfo* info = own     ? &n->type->attributes[static_cast<size_t>(attribute)]
                              : added ? &added->info
                                      : nullptr;
  if (!info || !numericType(info->type) || (n->extras() && isLocked(ref, attribute)))
    return false;
  if (added && ((added->limits.hasMin && value < added->limits.minValue) ||
                (added->limits.hasMax && value > added->limits.maxValue)))
    return false;
  double whole = std::trunc(value);
  if (info->type == AttrType::kEnum && (whole < info->minValue || whole > info->maxValue)) {
    return false;
  }
  if (info->type == AttrType::kShort && (whole < -32768.0 || whole > 32767.0))
    return false;
  if (info->type == AttrType::kInt &&
      (whole < std::numeric_limits<int>::min() || whole > std::numeric_limits<int>::max())) {
    return false;
  }
  if (info->type == AttrType::kFloat && std::fabs(value) > std::numeric_limits<float>::max()) {
    return false;
  }
  NodeRef src;
  int srcAttr = -1;
  if (!n->inputs.empty() && inputOf(ref, attribute, src, srcAttr) && !node(src)->curve())
    return false;
  UndoQueue& undo = UndoQueue::get();
  if (!undo.recording()) {  // a file being read, a script run without undo
    storeNumber(*n, attribute, value);
    return true;
  }
  const double before = storedNumber(*n, attribute);
  storeNumber(*n, attribute, value);
  undo.numberChanged(ref, attribute, before, storedNumber(*n, attribute));
  return true;
}

bool Scene::getText(NodeRef ref, int attribute, std::string& out) const {
  const AttributeInfo* info = attributeInfo(ref, attribute);
  if (!info || info->type != AttrType::kString)
    return false;
  out = storedText(*node(ref), attribute);
  return true;
}

bool Scene::setText(NodeRef ref, int attribute, const std::string& value) {
  const AttributeInfo* info = attributeInfo(ref, attribute);
  if (!info || info->type != AttrType::kString || isLocked(ref, attribute))
    return false;
  Node& n = *node(ref);
  UndoQueue& undo = UndoQueue::get();
  if (undo.recording() && storedText(n, attribute) != value)
    undo.textChanged(ref, attribute, storedText(n, attribute), value);
  storeText(n, attribute, value);
  ++revision_;
  return true;
}

bool Scene::connect(NodeRef src, int srcAttr, NodeRef dst, int dstAttr, bool force,
                    std::string* error) {
  const AttributeInfo* s = attributeInfo(src, srcAttr);
  const AttributeInfo* d = attributeInfo(dst, dstAttr);
  if (!s || !d) {
    if (error)
      *error = "No such attribute";
    return false;
  }
  if (src == dst && srcAttr == dstAttr) {
    if (error)
      *error = "Cannot connect an attribute to itself";
    return false;
  }
  if (isLocked(dst, dstAttr) && !UndoQueue::get().replaying()) {
    if (error)
      *error = "The destination attribute is locked";
    return false;
  }
  if (s->type == AttrType::kCompound && d->type == AttrType::kCompound &&
      s->children.size() == d->children.size() && (src != dst || srcAttr != dstAttr)) {
    // A compound connection joins the children pairwise, as the host evaluates it.
    for (size_t i = 0; i < s->children.size(); ++i) {
      if (!connect(src, s->children[i], dst, d->children[i], force, error))
        return false;
    }
    return true;
  }
  bool sMsg = s->type == AttrType::kMessage, dMsg = d->type == AttrType::kMessage;
  if (sMsg != dMsg || s->type == AttrType::kCompound || d->type == AttrType::kCompound ||
      (s->type == AttrType::kString) != (d->type == AttrType::kString) ||
      (s->type == AttrType::kMatrix) != (d->type == AttrType::kMatrix) ||
      (s->type == AttrType::kGeometry) != (d->type == AttrType::kGeometry)) {
    if (error)
      *error = "The attributes are not compatible";
    return false;
  }
  NodeRef oldSrc;
  int oldAttr = -1;
  if (inputOf(dst, dstAttr, oldSrc, oldAttr)) {
    if (oldSrc == src && oldAttr == srcAttr) {
      if (error)
        *error = "The attributes are already connected";
      return false;
    }
    if (!force) {
      if (error)
        *error = "The destination attribute already has an incoming connection";
      return false;
    }
    disconnect(oldSrc, oldAttr, dst, dstAttr);
  }
  node(dst)->inputs.push_back(Connection{dstAttr, src, srcAttr});
  node(src)->outputs.push_back(Connection{srcAttr, dst, dstAttr});
  if (UndoQueue::get().recording())
    UndoQueue::get().connected(src, srcAttr, dst, dstAttr);
  ++revision_;
  if (node(src)->curve())
    evaluateCurve(src);
  return true;
}

bool Scene::disconnect(NodeRef src, int srcAttr, NodeRef dst, int dstAttr) {
  Node* s = node(src);
  Node* d = node(dst);
  if (!s || !d)
    return false;
  const AttributeInfo* sInfo = attributeInfo(src, srcAttr);
  const AttributeInfo* dInfo = attributeInfo(dst, dstAttr);
  if (sInfo && dInfo && sInfo->type == AttrType::kCompound && dInfo->type == AttrType::kCompound &&
      sInfo->children.size() == dInfo->children.size()) {
    bool any = false;
    for (size_t i = 0; i < sInfo->children.size(); ++i)
      any = disconnect(src, sInfo->children[i], dst, dInfo->children[i]) || any;
    return any;
  }
  ++revision_;
  auto& ins = d->inputs;
  auto it = std::find_if(ins.begin(), ins.end(), [&](const Connection& c) {
    return c.attribute == dstAttr && c.peer == src && c.peerAttribute == srcAttr;
  });
  if (it == ins.end())
    return false;
  ins.erase(it);
  auto& outs = s->outputs;
  outs.erase(std::remove_if(outs.begin(), outs.end(),
                            [&](const Connection& c) {
                              return c.attribute == srcAttr && c.peer == dst &&
                                     c.peerAttribute == dstAttr;
                            }),
             outs.end());
  if (UndoQueue::get().recording())
    UndoQueue::get().disconnected(src, srcAttr, dst, dstAttr);
  return true;
}

bool Scene::inputOf(NodeRef dst, int dstAttr, NodeRef& src, int& srcAttr) const {
  const Node* d = node(dst);
  if (!d)
    return false;
  for (const Connection& c : d->inputs) {
    if (c.attribute == dstAttr) {
      src = c.peer;
      srcAttr = c.peerAttribute;
      return true;
    }
  }
  return false;
}

std::vector<std::pair<NodeRef, int>> Scene::outputsOf(NodeRef src, int srcAttr) const {
  std::vector<std::pair<NodeRef, int>> out;
  const Node* s = node(src);
  if (!s)
    return out;
  for (const Connection& c : s->outputs) {
    if (c.attribute == srcAttr)
      out.emplace_back(c.peer, c.peerAttribute);
  }
  return out;
}

NodeRef Scene::curveDriving(NodeRef ref, int attribute) const {
  NodeRef src;
  int srcAttr = -1;
  if (inputOf(ref, attribute, src, srcAttr) && node(src)->curve())
    return src;
  return NodeRef{};
}

bool Scene::setKey(NodeRef ref, int attribute, double ticks, double value, TangentType in,
                   TangentType out, std::string* error) {
  const AttributeInfo* info = attributeInfo(ref, attribute);
  if (!info || !numericType(info->type)) {
    if (error)
      *error = "Only numeric attributes can be keyed";
    return false;
  }
  if (isLocked(ref, attribute)) {
    if (error)
      *error = "The attribute is locked and cannot be keyed";
    return false;
  }
  if (std::isnan(value) || std::isnan(ticks) || std::isinf(ticks)) {
    if (error)
      *error = "Invalid key value or time";
    return false;
  }
  NodeRef curve = curveDriving(ref, attribute);
  if (!curve.isSet()) {
    NodeRef src;
    int srcAttr = -1;
    if (inputOf(ref, attribute, src, srcAttr)) {
      if (error)
        *error = "The attribute is connected and cannot be keyed";
      return false;
    }
    const char* type = "animCurveTU";
    if (info->type == AttrType::kDistance)
      type = "animCurveTL";
    if (info->type == AttrType::kAngle)
      type = "animCurveTA";
    if (info->type == AttrType::kTime)
      type = "animCurveTT";
    curve = createNode(type, node(ref)->name + "_" + info->longName, NodeRef{}, error);
    if (!curve.isSet())
      return false;
    Node* c = node(curve);
    int output = c->type->findAttribute("output");
    node(ref)->inputs.push_back(Connection{attribute, curve, output});
    c->outputs.push_back(Connection{output, ref, attribute});
    if (UndoQueue::get().recording())
      UndoQueue::get().connected(curve, output, ref, attribute);
  }
  AnimCurve& animCurve = *node(curve)->curve();
  const CurveKey key{ticks, value, in, out};
  if (UndoQueue::get().recording()) {
    const CurveKey* had = animCurve.keyAt(ticks);
    UndoQueue::get().keySet(curve, had != nullptr, had ? *had : CurveKey{}, key);
  }
  animCurve.setKey(key);
  // The key moves the attribute to the curve's value: undo puts the value it had back.
  const double before = storedNumber(*node(ref), attribute);
  evaluateCurve(curve);
  if (UndoQueue::get().recording())
    UndoQueue::get().numberChanged(ref, attribute, before, storedNumber(*node(ref), attribute));
  return true;
}

void Scene::evaluateCurve(NodeRef curve) {
  Node* c = node(curve);
  if (!c || !c->curve())
    return;
  double value = c->curve()->evaluate(currentTicks_);
  int output = c->type->findAttribute("output");
  if (output >= 0)
    c->values.setNumber(*c->type, output, value);
  for (const Connection& o : c->outputs) {
    if (Node* d = node(o.peer)) {
      const AttributeInfo* found = attributeInfo(o.peer, o.peerAttribute);
      if (!found)
        continue;
      const AttributeInfo& info = *found;
      if (info.type == AttrType::kEnum)
        warnEnumOutOfRange(*d, info, value);
      if (numericType(info.type))
        storeNumber(*d, o.peerAttribute, value);
    }
  }
}

void Scene::setCurrentTicks(double ticks, bool update) {
  if (std::isnan(ticks) || std::isinf(ticks))
    return;
  currentTicks_ = ticks;
  ++revision_;
  if (!update)
    return;
  size_t kept = 0;
  for (size_t i = 0; i < curves_.size(); ++i) {
    if (!isAlive(curves_[i]))
      continue;
    curves_[kept++] = curves_[i];
    evaluateCurve(curves_[i]);
  }
  curves_.resize(kept);
}

void Scene::setPlaybackRange(double minTicks, double maxTicks) {
  minTicks_ = minTicks;
  maxTicks_ = maxTicks;
  animStartTicks_ = std::min(animStartTicks_, minTicks);
  animEndTicks_ = std::max(animEndTicks_, maxTicks);
}

void Scene::setAnimationRange(double startTicks, double endTicks) {
  animStartTicks_ = startTicks;
  animEndTicks_ = endTicks;
  minTicks_ = std::max(minTicks_, startTicks);
  maxTicks_ = std::min(maxTicks_, endTicks);
}

}  // namespace minihost
