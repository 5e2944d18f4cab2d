#include "boundary/base/GMetaClass.h"

#include <cstring>

namespace {

// Head of the list of live records. A plain pointer with constant initialisation: it exists
// before any static constructor runs and has no destructor, so records may come and go in any
// order, also while a module is being unloaded.
GMetaClass*& registryHead() {
  static GMetaClass* head = nullptr;
  return head;
}

}  // namespace

GMetaClass::GMetaClass(void** moduleHandleSlot, const type_info& id, const char* className,
                       CreateFn create, DestroyFn destroy, const GMetaClass* base)
    : moduleHandleSlot_(moduleHandleSlot),
      id_(id),
      name_(className ? className : ""),
      create_(create),
      destroy_(destroy),
      base_(base) {
  GMetaClass*& head = registryHead();
  next_ = head;
  head = this;
}

GMetaClass::~GMetaClass() {
  for (GMetaClass** link = &registryHead(); *link != nullptr; link = &(*link)->next_) {
    if (*link == this) {
      *link = next_;
      break;
    }
  }
}

void GMetaClass::destroy(GRTTIObject* object) const {
  if (object == nullptr)
    return;
  if (destroy_)
    destroy_(object);
}

bool GMetaClass::derivesFrom(const type_info& id) const {
  for (const GMetaClass* record = this; record != nullptr; record = record->base_) {
    if (record->id_ == id)
      return true;
  }
  return false;
}

const GMetaClass* GMetaClass::find(const char* className) {
  if (className == nullptr)
    return nullptr;
  return find(className, std::strlen(className));
}

const GMetaClass* GMetaClass::find(const char* className, std::size_t length) {
  if (className == nullptr)
    return nullptr;
  for (const GMetaClass* record = registryHead(); record != nullptr; record = record->next_) {
    if (std::strlen(record->name_) == length &&
        std::memcmp(record->name_, className, length) == 0) {
      return record;
    }
  }
  return nullptr;
}
