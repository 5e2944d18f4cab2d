#include "anim_import/DocumentRegistry.h"

#include <limits>
#include <new>

DocumentRegistry& DocumentRegistry::instance() {
  static DocumentRegistry registry;
  return registry;
}

std::int32_t DocumentRegistry::nextHandle() {
  constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
  if (entries_.size() >= static_cast<std::size_t>(kLargest))
    return 0;
  // Counts up from 1 and wraps back to 1, skipping handles whose documents are still loaded.
  do {
    lastHandle_ = lastHandle_ == kLargest ? 1 : lastHandle_ + 1;
  } while (entries_.count(lastHandle_) != 0);
  return lastHandle_;
}

std::int32_t DocumentRegistry::registerDocument(std::unique_ptr<AnimationDocument> document) {
  if (!document)
    return 0;
  const std::int32_t handle = nextHandle();
  if (handle == 0)
    return 0;
  Entry entry;
  entry.camerasWithKeys = document->cameras.tracksWithKeys();
  entry.lightsWithKeys = document->lights.tracksWithKeys();
  entry.document = std::move(document);
  entries_.emplace(handle, std::move(entry));
  return handle;
}

const DocumentRegistry::Entry* DocumentRegistry::resolve(std::int32_t handle) const {
  if (handle == 0)
    return nullptr;
  const auto found = entries_.find(handle);
  return found == entries_.end() ? nullptr : &found->second;
}

void DocumentRegistry::close(std::int32_t handle) {
  entries_.erase(handle);
}
