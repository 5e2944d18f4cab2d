#pragma once
// Coordinate spaces in which geometry can be queried.

class MSpace {
 public:
  enum Space {
    kInvalid = 0,
    kTransform = 1,
    kPreTransform = 2,
    kPostTransform = 3,
    kWorld = 4,
    kLast = 5,
    kObject = kPreTransform
  };
};
