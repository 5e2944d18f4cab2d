#pragma once

#include <cstdint>

#include "boundary/base/Streams.h"

// Streamable classes the tests write and read: a leaf record and a list of streamable pointers
// (leaves or nested lists), both with class records. Live objects are counted to find leaks.

class SampleLeaf : public GStreamable {
 public:
  static constexpr type_info gTypeInfo_{"SampleLeaf"};
  static GMetaClass metaclass_;
  static int live;

  std::int32_t number = 0;
  double value = 0.0;
  float ratio = 0.0f;
  GString label;

  SampleLeaf() { ++live; }
  SampleLeaf(std::int32_t n, double v, float r, const char* text)
      : number(n), value(v), ratio(r), label(text) {
    ++live;
  }
  ~SampleLeaf() override { --live; }

  const GMetaClass* getMetaClass() const override { return &metaclass_; }
  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override {
    return id == gTypeInfo_ ? this : GStreamable::cast_to_(id);
  }
  using GStreamable::cast_to_;
  void read(ipstream& in) override;
  void write(opstream& out) const override;
};

// Entries are GStreamable pointers, owned.
class SampleList : public GCollection {
 public:
  static constexpr type_info gTypeInfo_{"SampleList"};
  static GMetaClass metaclass_;
  static int live;

  GString name;

  SampleList() { ++live; }
  ~SampleList() override;

  const GMetaClass* getMetaClass() const override { return &metaclass_; }
  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override {
    return id == gTypeInfo_ ? this : GCollection::cast_to_(id);
  }
  using GCollection::cast_to_;
  void read(ipstream& in) override;
  void write(opstream& out) const override;
  void freeItem(void* item) override;
  void write_item(opstream& out, void* item) const override;
  void* read_item(ipstream& in) override;

  GStreamable* entry(int i) const { return static_cast<GStreamable*>(at(i)); }
  int readItemCalls = 0;
};

// A class with a record that is not streamable: reading it by name must be refused.
class SampleNotStreamable : public GRTTIObject {
 public:
  static constexpr type_info gTypeInfo_{"SampleNotStreamable"};
  static GMetaClass metaclass_;
  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override {
    return id == gTypeInfo_ ? this : GRTTIObject::cast_to_(id);
  }
  using GRTTIObject::cast_to_;
};
