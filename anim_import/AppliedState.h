#pragma once

#include <maya/MObject.h>
#include <maya/MString.h>
#include <maya/MTransformationMatrix.h>

#include <vector>

// What "-setinfo" writes on one camera or light: the transformation of the transform above the
// shape and the shape attributes the key setters change. Captured before and after a key is
// applied, so that the command can be undone and redone through the host's undo queue: a
// command that changes the scene without being undoable would leave the host's undo unable to
// restore it.
class AppliedState {
 public:
  // Reads the transform's transformation and whichever of the applied shape attributes the
  // shape has.
  void capture(const MObject& transform, const MObject& shape);
  // Puts the captured values back; nodes deleted since are left alone.
  void restore() const;

 private:
  struct Value {
    MString attribute;
    double value;
  };
  MObject transform_;
  MObject shape_;
  MTransformationMatrix transformation_;
  std::vector<Value> values_;
};
