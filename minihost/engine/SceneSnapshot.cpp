// Setting the scene aside and putting it back, for opens and imports that must change all or
// nothing.
#include <algorithm>
#include <new>

#include "engine/Scene.h"

namespace minihost {

struct Scene::Saved {
  std::vector<Slot> slots;
  std::vector<uint32_t> freeSlots;
  NameIndex byName;
  std::unordered_set<std::string> dependencyNames;
  std::unordered_map<std::string, int> nextSuffix;
  std::vector<NodeRef> curves;
  NodeRef world;
  NodeRef defaultCameras[4];
  double currentTicks = 0, minTicks = 0, maxTicks = 0, animStartTicks = 0, animEndTicks = 0,
         playbackBy = 0;
  MTime::Unit timeUnit = MTime::kFilm;
  MDistance::Unit linearUnit = MDistance::kCentimeters;
  MAngle::Unit angleUnit = MAngle::kDegrees;
  bool upAxisZ = false;
  MSelectionList active;
};

void Scene::SavedDeleter::operator()(Saved* saved) const {
  delete saved;
}

namespace {
uint32_t nextGeneration(uint32_t g) {
  // Generation 0 is reserved for "no node".
  return g + 1 == 0 ? 1 : g + 1;
}

// A node's copy without its mesh and curves: a file read into the scene makes nodes and sets
// values and connections, but never changes or deletes the mesh or the keys of a node it did not
// make, so those stay where they are and go back into the copy when it is restored.
std::unique_ptr<Node> copyOf(const Node& n) {
  auto c = std::make_unique<Node>();
  c->type = n.type;
  c->name = n.name;
  c->serial = n.serial;
  c->isDefault = n.isDefault;
  c->values = n.values;
  c->parent = n.parent;
  c->children = n.children;
  c->inputs = n.inputs;
  c->outputs = n.outputs;
  if (n.curveGeometry() || n.extras()) {
    NodeRare& rare = c->rareParts();
    rare.curveGeometry = n.rare->curveGeometry;  // shared: it never changes
    if (n.extras())
      rare.extras = std::make_unique<NodeExtras>(*n.extras());
  }
  return c;
}
}  // namespace

Scene::SavedScene Scene::save(bool keep) {
  SavedScene s(new Saved);
  if (keep) {
    s->slots.resize(slots_.size());
    for (size_t i = 0; i < slots_.size(); ++i) {
      s->slots[i].generation = slots_[i].generation;
      if (slots_[i].node)
        s->slots[i].node = copyOf(*slots_[i].node);
    }
    s->freeSlots = freeSlots_;
    s->byName = indexOf(s->slots);  // of the copies' names
    s->dependencyNames = dependencyNames_;
    s->nextSuffix = nextSuffix_;
    s->curves = curves_;
    s->active = active_;
  } else {
    // Empty slots of the next generations stay behind, so that no handle to a node set aside
    // names a node made meanwhile.
    std::vector<Slot> empty(slots_.size());
    for (size_t i = 0; i < slots_.size(); ++i)
      empty[i].generation = nextGeneration(slots_[i].generation);
    s->slots = std::move(slots_);
    slots_ = std::move(empty);
    s->freeSlots = std::move(freeSlots_);
    freeSlots_.clear();
    s->byName = std::move(byName_);
    byName_.clear();
    s->dependencyNames = std::move(dependencyNames_);
    dependencyNames_.clear();
    s->nextSuffix = std::move(nextSuffix_);
    nextSuffix_.clear();
    s->curves = std::move(curves_);
    curves_.clear();
    s->active = active_;
    active_.clear();
  }
  s->world = world_;
  std::copy(std::begin(defaultCameras_), std::end(defaultCameras_), s->defaultCameras);
  s->currentTicks = currentTicks_;
  s->minTicks = minTicks_;
  s->maxTicks = maxTicks_;
  s->animStartTicks = animStartTicks_;
  s->animEndTicks = animEndTicks_;
  s->playbackBy = playbackBy_;
  s->timeUnit = timeUnit_;
  s->linearUnit = linearUnit_;
  s->angleUnit = angleUnit_;
  s->upAxisZ = upAxisZ_;
  return s;
}

void Scene::restore(SavedScene saved) {
  if (!saved)
    return;
  Saved& s = *saved;
  // The slots vector of the failed attempt is reused in place: putting the old nodes back then
  // allocates nothing, which matters after running out of memory.
  std::vector<Slot> slots = std::move(slots_);
  // Meshes and curves of the nodes that were there before go back to them (see copyOf).
  for (size_t i = 0; i < slots.size() && i < s.slots.size(); ++i) {
    Node* before = s.slots[i].node.get();
    Node* now = slots[i].node.get();
    if (before && now && slots[i].generation == s.slots[i].generation && now->rare) {
      // A copy without any of them has no record yet: it takes the attempt's whole.
      if (!before->rare) {
        before->rare = std::move(now->rare);
        before->rare->curveGeometry.reset();
        before->rare->extras.reset();
        continue;
      }
      if (!before->rare->mesh)
        before->rare->mesh = std::move(now->rare->mesh);
      if (!before->rare->curve)
        before->rare->curve = std::move(now->rare->curve);
      if (!before->rare->drivenCurve)
        before->rare->drivenCurve = std::move(now->rare->drivenCurve);
    }
  }
  for (Slot& slot : slots)
    slot.node.reset();
  // Only a node the attempt deleted could be left without them: it gets empty ones, never none.
  try {
    for (Slot& slot : s.slots) {
      if (Node* n = slot.node.get()) {
        if (n->kind() == NodeKind::kMesh && !n->mesh())
          n->rareParts().mesh = std::make_unique<MeshData>();
        if (isAnimCurve(n->kind()) && !n->curve())
          n->rareParts().curve = std::make_unique<AnimCurve>();
        if (isDrivenKeyCurve(n->kind()) && !n->drivenCurve())
          n->rareParts().drivenCurve = std::make_unique<AnimCurve>();
      }
    }
  } catch (const std::bad_alloc&) {
  }
  const size_t kept = s.slots.size();
  if (slots.size() < kept) {
    slots.swap(s.slots);
  } else {
    for (size_t i = 0; i < kept; ++i) {
      uint32_t failed = slots[i].generation;
      slots[i].node = std::move(s.slots[i].node);
      slots[i].generation = s.slots[i].generation;
      // A slot free before and used meanwhile moves past every generation it has had.
      if (!slots[i].node)
        slots[i].generation = nextGeneration(std::max(failed, slots[i].generation));
    }
    for (size_t i = kept; i < slots.size(); ++i)
      slots[i].generation = nextGeneration(slots[i].generation);
  }
  slots_ = std::move(slots);
  freeSlots_ = std::move(s.freeSlots);
  // Slots the attempt added are free again; if even that list cannot grow they stay unused.
  try {
    for (size_t i = kept; i < slots_.size(); ++i)
      freeSlots_.push_back(static_cast<uint32_t>(i));
  } catch (const std::bad_alloc&) {
  }
  ++revision_;
  byName_ = std::move(s.byName);
  dependencyNames_ = std::move(s.dependencyNames);
  nextSuffix_ = std::move(s.nextSuffix);
  curves_ = std::move(s.curves);
  world_ = s.world;
  std::copy(std::begin(s.defaultCameras), std::end(s.defaultCameras), defaultCameras_);
  currentTicks_ = s.currentTicks;
  minTicks_ = s.minTicks;
  maxTicks_ = s.maxTicks;
  animStartTicks_ = s.animStartTicks;
  animEndTicks_ = s.animEndTicks;
  playbackBy_ = s.playbackBy;
  timeUnit_ = s.timeUnit;
  linearUnit_ = s.linearUnit;
  angleUnit_ = s.angleUnit;
  upAxisZ_ = s.upAxisZ;
  try {
    active_ = s.active;
  } catch (const std::bad_alloc&) {
    active_.clear();
  }
}

}  // namespace minihost
