#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "anim_model/AnimationDocument.h"

// The loaded animation documents, each named by a handle: a nonzero signed 32-bit number that
// is never reused while its document is loaded. Every user of a handle goes through here, so a
// stale or invented handle resolves to nothing and never reaches a document's memory.
//
// With each document the registry keeps the tracks that hold keys, in list order, because the
// import command selects tracks by their index among those: a lookup then costs the same for
// the last track as for the first.
class DocumentRegistry {
 public:
  struct Entry {
    std::unique_ptr<AnimationDocument> document;
    std::vector<VXRAnimation_Camera*> camerasWithKeys;
    std::vector<VXRAnimation_Light*> lightsWithKeys;
  };

  // The process-wide registry. Documents still loaded when the module is unloaded are freed
  // with it.
  static DocumentRegistry& instance();

  // A registry whose next handle follows `lastIssued` (0: the first handle is 1).
  explicit DocumentRegistry(std::int32_t lastIssued = 0) : lastHandle_(lastIssued) {}
  DocumentRegistry(const DocumentRegistry&) = delete;
  DocumentRegistry& operator=(const DocumentRegistry&) = delete;

  // Takes ownership and returns the new handle; 0 (and the document freed) when out of memory
  // or when every handle is taken.
  std::int32_t registerDocument(std::unique_ptr<AnimationDocument> document);
  // The entry for `handle`, or null when it names no loaded document (0 never does).
  const Entry* resolve(std::int32_t handle) const;
  // Frees the document and forgets the handle; nothing when the handle names nothing.
  void close(std::int32_t handle);

  std::size_t size() const { return entries_.size(); }

  // The next handle follows `handle`, so handles can continue a count kept outside the registry
  // (values below 1 are ignored).
  void setLastIssued(std::int32_t handle) {
    if (handle > 0)
      lastHandle_ = handle;
  }

 private:
  std::int32_t nextHandle();

  std::unordered_map<std::int32_t, Entry> entries_;
  std::int32_t lastHandle_;
};
