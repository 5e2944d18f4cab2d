#include "SampleClasses.h"

namespace {
void* testModuleHandle = nullptr;
}

int SampleLeaf::live = 0;
int SampleList::live = 0;

GMetaClass SampleLeaf::metaclass_(&testModuleHandle, SampleLeaf::gTypeInfo_, "SampleLeaf",
                                  gCreateObject<SampleLeaf>, gDestroyObject<SampleLeaf>, nullptr);
GMetaClass SampleList::metaclass_(&testModuleHandle, SampleList::gTypeInfo_, "SampleList",
                                  gCreateObject<SampleList>, gDestroyObject<SampleList>,
                                  &GCollection::metaclass_);
GMetaClass SampleNotStreamable::metaclass_(&testModuleHandle, SampleNotStreamable::gTypeInfo_,
                                           "SampleNotStreamable",
                                           gCreateObject<SampleNotStreamable>,
                                           gDestroyObject<SampleNotStreamable>, nullptr);

void SampleLeaf::read(ipstream& in) {
  number = static_cast<std::int32_t>(in.readDWord());
  in >> value >> ratio >> label;
}

void SampleLeaf::write(opstream& out) const {
  out.writeDWord(static_cast<std::uint32_t>(number));
  out << value << ratio << label;
}

SampleList::~SampleList() {
  shut_down();
  --live;
}

void SampleList::read(ipstream& in) {
  in.readByte();
  GCollection::read(in);
  in >> name;
}

void SampleList::write(opstream& out) const {
  out.writeByte(0);
  GCollection::write(out);
  out << name;
}

void SampleList::freeItem(void* item) {
  delete static_cast<GStreamable*>(item);
}

void SampleList::write_item(opstream& out, void* item) const {
  out.writeStreamablePointer(static_cast<GStreamable*>(item));
}

void* SampleList::read_item(ipstream& in) {
  ++readItemCalls;
  return in.readStreamablePointer(GStreamable::gTypeInfo_);
}
