#pragma once
// The process-wide scene: dependency nodes with typed attributes, connections,
// the DAG, key-frame curves, the current time and playback range, units, the up
// axis and the active selection. Host API classes and the script layer both work
// through this interface; nothing outside the engine touches Node storage directly.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MMatrix.h>
#include <maya/MSelectionList.h>
#include <maya/MTime.h>
#include <maya/MTransformationMatrix.h>

#include "engine/AnimCurve.h"
#include "engine/CompactVector.h"
#include "engine/Handles.h"
#include "engine/MeshData.h"
#include "engine/NameIndex.h"
#include "engine/NodeExtras.h"
#include "engine/NodeTypes.h"
#include "engine/NodeValues.h"
#include "engine/NurbsCurve.h"

namespace minihost {

// Ticks per second of the scene's time base; every film, PAL and NTSC frame is whole.
constexpr double kTicksPerSecond = 6000.0;

struct Connection {
  int attribute = -1;  // attribute of the node holding this record
  NodeRef peer;
  int peerAttribute = -1;
};

// What few nodes have: a mesh, a curve's keys, a curve shape, added attributes and locks. Made on
// first use, so that each of a shot's many small nodes carries one empty pointer instead of five.
struct NodeRare {
  std::unique_ptr<MeshData> mesh;
  std::unique_ptr<AnimCurve> curve;
  std::unique_ptr<AnimCurve> drivenCurve;           // animCurveU*: keys on its input's value
  std::shared_ptr<const NurbsCurve> curveGeometry;  // nurbsCurve: null until it has a shape
  std::unique_ptr<NodeExtras> extras;  // added attributes and locks; null while it has none
};

struct Node {
  Node() : serial(0), isDefault(false) {}
  // From the scene's node store (NodeStorage.cpp): a shot's nodes lie together in memory.
  static void* operator new(size_t size);
  static void operator delete(void* p, size_t size);

  const NodeType* type = nullptr;
  // Renamed only through the scene: its name index refers to this string's characters.
  std::string name;
  // Creation order, from 1, in 63 bits (no session makes 2^63 nodes), sharing a word with the flag.
  unsigned long long serial : 63;
  bool isDefault : 1;  // part of every scene; cannot be deleted
  NodeValues values;   // those that differ from the type's defaults; changed via Scene::storeNumber
  NodeRef parent;      // DAG only; unset for the world's children
  CompactVector<NodeRef> children;
  CompactVector<Connection> inputs;
  CompactVector<Connection> outputs;
  std::unique_ptr<NodeRare> rare;  // null while the node has none of them

  NodeKind kind() const { return type->kind; }
  MeshData* mesh() const { return rare ? rare->mesh.get() : nullptr; }
  AnimCurve* curve() const { return rare ? rare->curve.get() : nullptr; }
  AnimCurve* drivenCurve() const { return rare ? rare->drivenCurve.get() : nullptr; }
  const NurbsCurve* curveGeometry() const { return rare ? rare->curveGeometry.get() : nullptr; }
  NodeExtras* extras() const { return rare ? rare->extras.get() : nullptr; }
  NodeRare& rareParts() {
    if (!rare)
      rare = std::make_unique<NodeRare>();
    return *rare;
  }
};

class Scene {
 public:
  static Scene& get();

  // Empties the scene and builds what a new scene holds: the default cameras and
  // the render nodes; current time and ranges return to their defaults. Units and the
  // up axis are preferences and stay as they are.
  void newScene();

  // ---- nodes ----
  NodeRef world() const { return world_; }
  // Inline: every host call that takes a handle looks its node up, millions of times in a walk
  // over a large mesh.
  bool isAlive(NodeRef ref) const {
    return ref.isSet() && ref.index < slots_.size() && slots_[ref.index].node &&
           slots_[ref.index].generation == ref.generation;
  }
  Node* node(NodeRef ref) { return isAlive(ref) ? slots_[ref.index].node.get() : nullptr; }
  const Node* node(NodeRef ref) const {
    return isAlive(ref) ? slots_[ref.index].node.get() : nullptr;
  }
  // Creates a node of a type name. A requested name that is taken (by a sibling, for a DAG
  // node) gets a free numbered variant; an empty one a name free in the whole scene. A shape
  // without a parent gets a new transform above it.
  NodeRef createNode(const std::string& typeName, const std::string& name, NodeRef parent,
                     std::string* error);
  NodeRef createNode(const NodeType& type, const std::string& name, NodeRef parent,
                     std::string* error);
  // Room for `more` nodes about to be made (a file's), so that the slot list and the name index
  // grow once to their size instead of doubling on the way there.
  void reserveNodes(size_t more);
  // Room for `more` stored numbers of a node whose values are about to be set (a file's).
  void reserveNumbers(NodeRef ref, size_t more) {
    if (Node* n = node(ref))
      n->values.reserveNumbers(more);
  }
  // A hint that a node of this name is about to be made or looked up: its place in the name
  // index is read ahead while other work goes on.
  void prefetchName(std::string_view name) const { byName_.prefetch(name); }
  // Deletes the node, a DAG node with everything below it, and curves that only
  // animated it. Default nodes and the world refuse.
  bool deleteNode(NodeRef ref, std::string* error);
  bool renameNode(NodeRef ref, const std::string& newName, std::string* error);
  // Moves a DAG node under another (the world when newParent is the world or unset).
  bool reparent(NodeRef child, NodeRef newParent, std::string* error);
  // A node name, a full path ("|group1|camera1") or a partial path ("camera1|cameraShape1").
  // DAG names are unique among siblings only: a name or partial path that several nodes
  // answer to finds none, and sets `ambiguous` when given.
  NodeRef findNode(const std::string& nameOrPath, bool* ambiguous = nullptr) const;
  // Live nodes in creation order (the world excluded); with a pattern of '*' and '?'
  // only those whose names match.
  std::vector<NodeRef> nodes() const;
  std::vector<NodeRef> nodesMatching(const std::string& pattern) const;
  NodeRef parentOf(NodeRef ref) const;  // the world for top-level DAG nodes
  const CompactVector<NodeRef>& childrenOf(NodeRef ref) const;
  std::string fullPathName(NodeRef ref) const;
  std::string partialPathName(NodeRef ref) const;
  unsigned int depthOf(NodeRef ref) const;  // 0 for the world
  bool isAncestor(NodeRef ancestor, NodeRef ref) const;
  static bool validName(const std::string& name);

  // ---- attributes (stored units: cm, radians, ticks) ----
  int findAttribute(NodeRef ref, const std::string& name) const;
  const AttributeInfo* attributeInfo(NodeRef ref, int attribute) const;
  // Reads a numeric attribute, following an incoming connection; with atTicks, a
  // curve-driven attribute is evaluated at that time instead of the current one.
  bool getNumber(NodeRef ref, int attribute, double& out, const double* atTicks = nullptr) const;
  // Fails for non-numeric attributes, out-of-range enums, NaN, and attributes fed by
  // a connection other than a key-frame curve.
  bool setNumber(NodeRef ref, int attribute, double value);
  bool getText(NodeRef ref, int attribute, std::string& out) const;
  bool setText(NodeRef ref, int attribute, const std::string& value);

  // ---- added attributes and locks (engine/DynamicAttributes.cpp) ----
  // Adds an attribute, under `parent` (a compound added before) when that is set; answers its
  // index, or -1 with `error` for a name the node already answers to, a bad name or type, or a
  // node that holds as many added attributes as it may.
  int addAttribute(NodeRef ref, const DynamicAttribute& wanted, int parent, std::string* error);
  // Deletes an added attribute with its children and connections; the type's own attributes,
  // locked attributes and children of a compound refuse.
  bool deleteAttribute(NodeRef ref, int attribute, std::string* error);
  const DynamicAttribute* dynamicAttribute(NodeRef ref, int attribute) const;
  std::vector<int> dynamicAttributes(NodeRef ref) const;  // in the order they were added
  // A locked attribute refuses new values, connections and keys; an incoming connection made
  // before still drives it.
  bool isLocked(NodeRef ref, int attribute) const;
  bool setLocked(NodeRef ref, int attribute, bool locked);

  // ---- connections ----
  bool connect(NodeRef src, int srcAttr, NodeRef dst, int dstAttr, bool force, std::string* error);
  bool disconnect(NodeRef src, int srcAttr, NodeRef dst, int dstAttr);
  bool inputOf(NodeRef dst, int dstAttr, NodeRef& src, int& srcAttr) const;
  std::vector<std::pair<NodeRef, int>> outputsOf(NodeRef src, int srcAttr) const;

  // ---- animation ----
  // Keys a numeric attribute, making and connecting its curve on the first key.
  bool setKey(NodeRef ref, int attribute, double ticks, double value, TangentType in,
              TangentType out, std::string* error);
  NodeRef curveDriving(NodeRef ref, int attribute) const;
  double currentTicks() const { return currentTicks_; }
  // Moves to a time and pushes every curve's value there into the attributes it drives; with
  // `update` false (the host's "currentTime -update false") only the time changes.
  void setCurrentTicks(double ticks, bool update = true);
  double minTicks() const { return minTicks_; }
  double maxTicks() const { return maxTicks_; }
  double animationStartTicks() const { return animStartTicks_; }
  double animationEndTicks() const { return animEndTicks_; }
  void setPlaybackRange(double minTicks, double maxTicks);
  void setAnimationRange(double startTicks, double endTicks);
  double playbackByTicks() const { return playbackBy_; }
  void setPlaybackByTicks(double by) { playbackBy_ = by; }

  // ---- units and up axis (preferences) ----
  MTime::Unit timeUnit() const { return timeUnit_; }
  void setTimeUnit(MTime::Unit unit) { timeUnit_ = unit; }
  MDistance::Unit linearUnit() const { return linearUnit_; }
  void setLinearUnit(MDistance::Unit unit) { linearUnit_ = unit; }
  MAngle::Unit angleUnit() const { return angleUnit_; }
  void setAngleUnit(MAngle::Unit unit) { angleUnit_ = unit; }
  bool upAxisIsZ() const { return upAxisZ_; }
  // Switching turns the four default cameras a quarter turn about x, as the host does.
  void setUpAxisZ(bool z);

  // ---- transforms ----
  MMatrix localMatrix(NodeRef ref) const;
  MMatrix worldMatrix(NodeRef ref) const;  // includes the node's own local matrix
  MTransformationMatrix transformation(NodeRef ref) const;
  bool setTransformation(NodeRef ref, const MTransformationMatrix& tm);

  // Counts every change that can alter an evaluated value (values, connections, time,
  // hierarchy); evaluated results are kept while it stays the same.
  unsigned long long revision() const { return revision_; }

  // ---- selection ----
  MSelectionList& activeSelection() { return active_; }

  // ---- undo support (engine/UndoQueue): puts things back without checks or recording ----
  void restoreNumber(NodeRef ref, int attribute, double value);
  void restoreText(NodeRef ref, int attribute, const std::string& value);
  void restoreName(NodeRef ref, const std::string& name);
  // An added attribute's slot becomes `record` (present) or empty (null).
  void restoreAttribute(NodeRef ref, int attribute, const DynamicAttribute* record);
  void restoreLock(NodeRef ref, int attribute, bool locked);
  // The key at `ticks` of a curve becomes `key` (present) or is removed (not present).
  void restoreKey(NodeRef curve, bool present, const CurveKey& key, double ticks);
  // Takes a node whose creation is undone out of the scene, keeping its slot (and so every
  // handle to it) for putBack on redo; releaseSlot frees the slot for good.
  std::unique_ptr<Node> takeOut(NodeRef ref);
  void putBack(NodeRef ref, std::unique_ptr<Node> node);
  void releaseSlot(NodeRef ref);

  // ---- all or nothing ----
  // The whole scene set aside while a file replaces it or adds to it, so that a failure part
  // way (a damaged file, running out of memory) puts back exactly what was there.
  struct Saved;
  struct SavedDeleter {
    void operator()(Saved* saved) const;
  };
  using SavedScene = std::unique_ptr<Saved, SavedDeleter>;
  // With `keep` the scene stays and a copy is set aside (for an import: the copy leaves meshes and
  // curves where they are, which an import never changes on nodes it did not make; it costs
  // time in proportion to the node count); otherwise the scene
  // itself is set aside and this one holds no node until newScene() (for an open). Handles to
  // the nodes set aside are dead until they come back.
  SavedScene save(bool keep);
  // Puts a saved scene back in place of the current one, whose nodes are dropped; handles to
  // them stay dead. Allocates nothing it cannot do without.
  void restore(SavedScene saved);

 private:
  struct Slot {
    uint32_t generation = 1;
    std::unique_ptr<Node> node;
  };

  Scene();
  void clearAll();
  void buildDefaults();
  NodeRef allocate(const NodeType& type, std::string name);
  // Where a name must be free: among the siblings under `parent` for a DAG node, in the
  // whole scene for a dependency node or a made-up name. `except` is the node being named.
  struct NamePlace {
    bool dag = false;
    NodeRef parent;
    NodeRef except;
    bool wholeScene = false;
  };
  NamePlace placeOf(const NodeType& type, NodeRef parent) const;
  bool nameTaken(const std::string& name, const NamePlace& place) const;
  std::string uniqueName(const std::string& requested, const std::string& fallbackBase,
                         NamePlace place);
  // The index refers to the node's own name: index after naming, unindex before renaming.
  void indexName(NodeRef ref);
  NodeRef childNamed(NodeRef parent, std::string_view name, NodeRef except = NodeRef{}) const;
  void unindexName(NodeRef ref);
  void destroy(NodeRef ref);
  void destroyOne(NodeRef ref);
  void removeConnections(NodeRef ref);
  void evaluateCurve(NodeRef curve);
  void storeNumber(Node& n, int attribute, double value);
  // Stored values of the type's own attributes and of added ones alike.
  double storedNumber(const Node& n, int attribute) const;
  static const std::string& storedText(const Node& n, int attribute);
  static void storeText(Node& n, int attribute, const std::string& value);
  static DynamicAttribute* dynamicSlot(Node& n, int attribute);
  static const DynamicAttribute* dynamicSlot(const Node& n, int attribute);
  static bool numericType(AttrType t);

  std::vector<Slot> slots_;
  std::vector<uint32_t> freeSlots_;
  // World matrices worked out since the last change that can move a node (any stored value,
  // connection, parent or node), per slot: a deep hierarchy is walked once per change, not once
  // per call. Kept under the scene's revision, which every change (a value, a connection, a
  // parent, a node, the time, an undo) moves on; a rig's evaluated values change only with it.
  struct WorldCacheEntry {
    unsigned long long stamp = 0;
    uint32_t generation = 0;
    MMatrix matrix;
  };
  mutable std::vector<WorldCacheEntry> worldCache_;
  // Every node by its name: one entry per node, compared through the node's own name (a node
  // stays where it is, in its slot's unique_ptr), so a name is stored once; whoever changes a
  // name unindexes the node first and indexes it after.
  auto nameOf() const {
    return [this](NodeRef r) { return std::string_view(slots_[r.index].node->name); };
  }
  // True when fewer nodes are named `a` than `b`, counting no further than the smaller count.
  bool fewerNamed(std::string_view a, std::string_view b) const;
  // An index of the same names over other nodes (a saved copy's).
  static NameIndex indexOf(const std::vector<Slot>& slots);
  NameIndex byName_;
  std::unordered_set<std::string> dependencyNames_;  // names dependency nodes have
  std::unordered_map<std::string, int> nextSuffix_;
  std::vector<NodeRef> curves_;
  NodeRef world_;
  NodeRef defaultCameras_[4];
  unsigned long long nextSerial_ = 1;
  unsigned long long revision_ = 1;

  double currentTicks_ = 250.0;
  double minTicks_ = 250.0;
  double maxTicks_ = 30000.0;
  double animStartTicks_ = 250.0;
  double animEndTicks_ = 50000.0;
  double playbackBy_ = 250.0;
  MTime::Unit timeUnit_ = MTime::kFilm;
  MDistance::Unit linearUnit_ = MDistance::kCentimeters;
  MAngle::Unit angleUnit_ = MAngle::kDegrees;
  bool upAxisZ_ = false;
  MSelectionList active_;
};

}  // namespace minihost
