#pragma once

#include <cstddef>
#include <new>

#include "boundary/base/GRTTIObject.h"

// One static record per streamable class: how to make an object of the class from its name.
//
// Records link themselves into a process-wide list when constructed and unlink themselves when
// destroyed. The list head is a constant-initialised pointer, so records may be built and torn
// down from any static initialiser or at module unload, in any order, any number of times.
//
// Declaring a streamable class with its record:
//
//   // Track.h
//   class Track : public GCollection {
//    public:
//     static constexpr type_info gTypeInfo_{"Track"};
//     static GMetaClass metaclass_;
//     const GMetaClass* getMetaClass() const override { return &metaclass_; }
//     const type_info& getTypeInfo_() const override { return gTypeInfo_; }
//     void* cast_to_(const type_info& id) override {
//       return id == gTypeInfo_ ? this : GCollection::cast_to_(id);
//     }
//     ...
//   };
//   // Track.cpp
//   GMetaClass Track::metaclass_(&moduleHandle, Track::gTypeInfo_, "Track",
//                                gCreateObject<Track>, gDestroyObject<Track>,
//                                &GCollection::metaclass_);
class GMetaClass {
 public:
  using CreateFn = GRTTIObject* (*)();
  using DestroyFn = void (*)(GRTTIObject*);

  // `moduleHandleSlot` is the address of the owning module's handle variable (may be null);
  // `className` must have static lifetime. `base` is the record of the base class, or null.
  GMetaClass(void** moduleHandleSlot, const type_info& id, const char* className, CreateFn create,
             DestroyFn destroy, const GMetaClass* base);
  ~GMetaClass();
  GMetaClass(const GMetaClass&) = delete;
  GMetaClass& operator=(const GMetaClass&) = delete;

  const char* name() const { return name_; }
  const type_info& typeInfo() const { return id_; }
  const GMetaClass* base() const { return base_; }
  void** moduleHandleSlot() const { return moduleHandleSlot_; }

  // A new object of the class, or null when the class cannot be created.
  GRTTIObject* create() const { return create_ ? create_() : nullptr; }
  // Destroys an object made by create(); null is ignored.
  void destroy(GRTTIObject* object) const;
  // True when this record is `id`'s or derives from it through the base records.
  bool derivesFrom(const type_info& id) const;

  // The registered record with this name (the most recently registered one if several), or null.
  static const GMetaClass* find(const char* className);
  static const GMetaClass* find(const char* className, std::size_t length);

 private:
  void** moduleHandleSlot_;
  const type_info& id_;
  const char* name_;
  CreateFn create_;
  DestroyFn destroy_;
  const GMetaClass* base_;
  GMetaClass* next_ = nullptr;
};

// Create and destroy functions for a record: a new T returned as GRTTIObject, and deletion of an
// object that casts to T (anything else is left alone).
template <class T>
GRTTIObject* gCreateObject() {
  return new (std::nothrow) T();
}

template <class T>
void gDestroyObject(GRTTIObject* object) {
  if (object == nullptr)
    return;
  T* typed = static_cast<T*>(object->cast_to_(T::gTypeInfo_));
  delete typed;
}
