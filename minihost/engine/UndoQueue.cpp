#include "engine/UndoQueue.h"

#include <utility>

#include "engine/Scene.h"

namespace minihost {

// One recorded change of the scene, with what undo and redo need to put it either way.
struct UndoQueue::Change {
  enum class Kind {
    kNumber,
    kText,
    kCreate,
    kRename,
    kConnect,
    kDisconnect,
    kKey,
    kAddAttribute,
    kDeleteAttribute,
    kLock
  };
  Kind kind = Kind::kNumber;
  NodeRef a, b;
  int attrA = -1, attrB = -1;
  double before = 0.0, after = 0.0;
  std::string textBefore, textAfter;
  bool hadKey = false;
  CurveKey keyBefore, keyAfter;
  std::unique_ptr<Node> takenOut;  // a created node while its creation is undone
  std::unique_ptr<DynamicAttribute> attribute;  // an added or deleted attribute as it was

  // A change of one node's attribute (attribute -1: of the node itself), and of a link
  // between two plugs.
  static Change of(Kind kind, NodeRef node, int attribute = -1) {
    Change c;
    c.kind = kind;
    c.a = node;
    c.attrA = attribute;
    return c;
  }
  static Change link(Kind kind, NodeRef src, int srcAttr, NodeRef dst, int dstAttr) {
    Change c = of(kind, src, srcAttr);
    c.b = dst;
    c.attrB = dstAttr;
    return c;
  }

  void undo(Scene& scene);
  void redo(Scene& scene);
};

struct UndoQueue::Entry {
  std::unique_ptr<Change> change;
  std::unique_ptr<MPxCommand> command;
};

struct UndoQueue::Item {
  std::string name;
  std::vector<Entry> entries;
};

void UndoQueue::Change::undo(Scene& scene) {
  switch (kind) {
    case Kind::kNumber:
      scene.restoreNumber(a, attrA, before);
      break;
    case Kind::kText:
      scene.restoreText(a, attrA, textBefore);
      break;
    case Kind::kCreate:
      takenOut = scene.takeOut(a);
      break;
    case Kind::kRename:
      scene.restoreName(a, textBefore);
      break;
    case Kind::kConnect:
      scene.disconnect(a, attrA, b, attrB);
      break;
    case Kind::kDisconnect:
      scene.connect(a, attrA, b, attrB, true, nullptr);
      break;
    case Kind::kKey:
      scene.restoreKey(a, hadKey, keyBefore, keyAfter.ticks);
      break;
    case Kind::kAddAttribute:
      scene.restoreAttribute(a, attrA, nullptr);
      break;
    case Kind::kDeleteAttribute:
      scene.restoreAttribute(a, attrA, attribute.get());
      break;
    case Kind::kLock:
      scene.restoreLock(a, attrA, before != 0.0);
      break;
  }
}

void UndoQueue::Change::redo(Scene& scene) {
  switch (kind) {
    case Kind::kNumber:
      scene.restoreNumber(a, attrA, after);
      break;
    case Kind::kText:
      scene.restoreText(a, attrA, textAfter);
      break;
    case Kind::kCreate:
      if (takenOut)
        scene.putBack(a, std::move(takenOut));
      break;
    case Kind::kRename:
      scene.restoreName(a, textAfter);
      break;
    case Kind::kConnect:
      scene.connect(a, attrA, b, attrB, true, nullptr);
      break;
    case Kind::kDisconnect:
      scene.disconnect(a, attrA, b, attrB);
      break;
    case Kind::kKey:
      scene.restoreKey(a, true, keyAfter, keyAfter.ticks);
      break;
    case Kind::kAddAttribute:
      scene.restoreAttribute(a, attrA, attribute.get());
      break;
    case Kind::kDeleteAttribute:
      scene.restoreAttribute(a, attrA, nullptr);
      break;
    case Kind::kLock:
      scene.restoreLock(a, attrA, after != 0.0);
      break;
  }
}

UndoQueue& UndoQueue::get() {
  static UndoQueue* queue = new UndoQueue();  // lives as long as the scene that reports to it
  return *queue;
}

UndoQueue::UndoQueue() = default;
UndoQueue::~UndoQueue() = default;

void UndoQueue::setEnabled(bool on, bool keepQueue) {
  enabled_ = on;
  if (!on && !keepQueue)
    flush();
}

UndoQueue::Item& UndoQueue::current() {
  if (!pending_)
    pending_ = std::make_unique<Item>();
  return *pending_;
}

void UndoQueue::beginCommand(const std::string& name) {
  if (commandDepth_++ == 0 && chunkDepth_ == 0)
    current().name = name;
}

void UndoQueue::endCommand() {
  if (commandDepth_ > 0 && --commandDepth_ == 0 && chunkDepth_ == 0 && pending_) {
    std::unique_ptr<Item> item = std::move(pending_);
    if (!item->entries.empty())
      push(std::move(*item));
  }
}

void UndoQueue::addCommand(std::unique_ptr<MPxCommand> command, const std::string& name) {
  if (!enabled_ || replaying_)
    return;
  Entry entry;
  entry.command = std::move(command);
  if (chunkDepth_ > 0 || commandDepth_ > 0) {
    current().entries.push_back(std::move(entry));
    return;
  }
  Item item;
  item.name = name;
  item.entries.push_back(std::move(entry));
  push(std::move(item));
}

void UndoQueue::openChunk(const std::string& name) {
  if (chunkDepth_++ == 0 && commandDepth_ == 0) {
    pending_ = std::make_unique<Item>();
    pending_->name = name;
  }
}

void UndoQueue::closeChunk() {
  if (chunkDepth_ == 0)
    return;
  if (--chunkDepth_ == 0 && commandDepth_ == 0 && pending_) {
    std::unique_ptr<Item> item = std::move(pending_);
    if (!item->entries.empty())
      push(std::move(*item));
  }
}

void UndoQueue::push(Item&& item) {
  clearRedo();
  done_.push_back(std::move(item));
}

void UndoQueue::clearRedo() {
  // Nodes whose creation was undone will never come back: their slots become free.
  Scene& scene = Scene::get();
  for (Item& item : undone_) {
    for (Entry& entry : item.entries) {
      if (entry.change && entry.change->takenOut) {
        entry.change->takenOut.reset();
        scene.releaseSlot(entry.change->a);
      }
    }
  }
  undone_.clear();
}

bool UndoQueue::undo(std::string* name) {
  if (done_.empty())
    return false;
  Item item = std::move(done_.back());
  done_.pop_back();
  replaying_ = true;
  Scene& scene = Scene::get();
  for (auto it = item.entries.rbegin(); it != item.entries.rend(); ++it) {
    if (it->change)
      it->change->undo(scene);
    else if (it->command)
      it->command->undoIt();
  }
  replaying_ = false;
  if (name != nullptr)
    *name = item.name;
  undone_.push_back(std::move(item));
  return true;
}

bool UndoQueue::redo(std::string* name) {
  if (undone_.empty())
    return false;
  Item item = std::move(undone_.back());
  undone_.pop_back();
  replaying_ = true;
  Scene& scene = Scene::get();
  for (Entry& entry : item.entries) {
    if (entry.change)
      entry.change->redo(scene);
    else if (entry.command)
      entry.command->redoIt();
  }
  replaying_ = false;
  if (name != nullptr)
    *name = item.name;
  done_.push_back(std::move(item));
  return true;
}

std::size_t UndoQueue::undoCount() const {
  return done_.size();
}

std::size_t UndoQueue::redoCount() const {
  return undone_.size();
}

std::string UndoQueue::undoName() const {
  return done_.empty() ? std::string() : done_.back().name;
}

std::string UndoQueue::redoName() const {
  return undone_.empty() ? std::string() : undone_.back().name;
}

void UndoQueue::flush() {
  clearRedo();
  done_.clear();
  if (pending_)
    pending_->entries.clear();
}

void UndoQueue::forget() {
  // The slots these nodes held are gone with the scene; drop the nodes without freeing slots.
  undone_.clear();
  done_.clear();
  if (pending_)
    pending_->entries.clear();
}

void UndoQueue::record(Change&& change) {
  Entry entry;
  entry.change = std::make_unique<Change>(std::move(change));
  current().entries.push_back(std::move(entry));
}

void UndoQueue::numberChanged(NodeRef ref, int attribute, double before, double after) {
  if (before == after)
    return;
  Change c = Change::of(Change::Kind::kNumber, ref, attribute);
  c.before = before;
  c.after = after;
  record(std::move(c));
}

void UndoQueue::textChanged(NodeRef ref, int attribute, const std::string& before,
                            const std::string& after) {
  Change c = Change::of(Change::Kind::kText, ref, attribute);
  c.textBefore = before;
  c.textAfter = after;
  record(std::move(c));
}

void UndoQueue::nodeCreated(NodeRef ref) {
  record(Change::of(Change::Kind::kCreate, ref));
}

void UndoQueue::nodeRenamed(NodeRef ref, const std::string& before, const std::string& after) {
  Change c = Change::of(Change::Kind::kRename, ref);
  c.textBefore = before;
  c.textAfter = after;
  record(std::move(c));
}

void UndoQueue::connected(NodeRef src, int srcAttr, NodeRef dst, int dstAttr) {
  record(Change::link(Change::Kind::kConnect, src, srcAttr, dst, dstAttr));
}

void UndoQueue::disconnected(NodeRef src, int srcAttr, NodeRef dst, int dstAttr) {
  record(Change::link(Change::Kind::kDisconnect, src, srcAttr, dst, dstAttr));
}

void UndoQueue::keySet(NodeRef curve, bool hadKey, const CurveKey& before, const CurveKey& after) {
  Change c = Change::of(Change::Kind::kKey, curve);
  c.hadKey = hadKey;
  c.keyBefore = before;
  c.keyAfter = after;
  record(std::move(c));
}

void UndoQueue::attributeAdded(NodeRef ref, int attribute, const DynamicAttribute& saved) {
  Change c = Change::of(Change::Kind::kAddAttribute, ref, attribute);
  c.attribute = std::make_unique<DynamicAttribute>(saved);
  record(std::move(c));
}

void UndoQueue::attributeDeleted(NodeRef ref, int attribute, const DynamicAttribute& saved) {
  Change c = Change::of(Change::Kind::kDeleteAttribute, ref, attribute);
  c.attribute = std::make_unique<DynamicAttribute>(saved);
  record(std::move(c));
}

void UndoQueue::lockChanged(NodeRef ref, int attribute, bool before, bool after) {
  Change c = Change::of(Change::Kind::kLock, ref, attribute);
  c.before = before ? 1.0 : 0.0;
  c.after = after ? 1.0 : 0.0;
  record(std::move(c));
}

}  // namespace minihost
