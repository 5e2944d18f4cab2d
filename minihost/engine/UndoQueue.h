#pragma once
// The host's undo queue. Built-in commands that change the scene run between beginCommand and
// endCommand; the scene reports every change made meanwhile (a value, a text, a new node, a
// name, a connection, a key), and those changes become one undo item, or part of the open chunk
// (undoInfo -openChunk / -closeChunk). A plug-in command that says it is undoable joins the
// queue itself and is undone and redone through its own undoIt and redoIt. Changes a plug-in
// makes through the API outside such a command are not recorded: as in the host, a command
// that changes the scene without being undoable leaves undo unable to restore it.

#include <maya/MPxCommand.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/AnimCurve.h"
#include "engine/Handles.h"

namespace minihost {

struct Node;
struct DynamicAttribute;

class UndoQueue {
 public:
  static UndoQueue& get();

  // undoInfo -state: off also empties the queue unless `keepQueue` (-stateWithoutFlush).
  bool enabled() const { return enabled_; }
  void setEnabled(bool on, bool keepQueue);

  // A built-in command that may change the scene starts and ends (they nest).
  void beginCommand(const std::string& name);
  void endCommand();
  // A plug-in command whose isUndoable() answered true, after its doIt succeeded.
  void addCommand(std::unique_ptr<MPxCommand> command, const std::string& name);

  void openChunk(const std::string& name);
  void closeChunk();
  bool chunkOpen() const { return chunkDepth_ > 0; }

  // Undoes or redoes the last item; false when there is none. `name` receives its name.
  bool undo(std::string* name);
  bool redo(std::string* name);
  std::size_t undoCount() const;
  std::size_t redoCount() const;
  std::string undoName() const;
  std::string redoName() const;
  // Empties both queues (a new scene, or a change that cannot be undone).
  void flush();
  // The scene was emptied under the queue: forget every item without touching it.
  void forget();

  // ---- reports from the scene while recording() ----
  bool recording() const { return enabled_ && commandDepth_ > 0 && !replaying_; }
  // Undo and redo put connections back whatever the locks say: the lock was not there when the
  // connection was made or broken.
  bool replaying() const { return replaying_; }
  void numberChanged(NodeRef ref, int attribute, double before, double after);
  void textChanged(NodeRef ref, int attribute, const std::string& before, const std::string& after);
  void nodeCreated(NodeRef ref);
  void nodeRenamed(NodeRef ref, const std::string& before, const std::string& after);
  void connected(NodeRef src, int srcAttr, NodeRef dst, int dstAttr);
  void disconnected(NodeRef src, int srcAttr, NodeRef dst, int dstAttr);
  void keySet(NodeRef curve, bool hadKey, const CurveKey& before, const CurveKey& after);
  void attributeAdded(NodeRef ref, int attribute, const DynamicAttribute& record);
  void attributeDeleted(NodeRef ref, int attribute, const DynamicAttribute& record);
  void lockChanged(NodeRef ref, int attribute, bool before, bool after);

 private:
  struct Change;
  struct Entry;
  struct Item;

  UndoQueue();
  ~UndoQueue();
  Item& current();
  void push(Item&& item);
  void clearRedo();
  void record(Change&& change);

  bool enabled_ = true;
  bool replaying_ = false;
  int commandDepth_ = 0;
  int chunkDepth_ = 0;
  std::unique_ptr<Item> pending_;  // the command or chunk being recorded
  std::vector<Item> done_;
  std::vector<Item> undone_;
};

}  // namespace minihost
