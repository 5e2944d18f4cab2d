// Writes a small stream file (primitives, a string and a nested streamable collection), reads
// it back and prints what it read.
#include <cstdint>
#include <cstdio>

#include "boundary/base/Streams.h"
#include "boundary/math/Vector3D.h"

namespace {

void* demoModuleHandle = nullptr;

// A keyed point: frame number and position.
class DemoPoint : public GStreamable {
 public:
  static constexpr type_info gTypeInfo_{"DemoPoint"};
  static GMetaClass metaclass_;

  std::int32_t frame = 0;
  Vector3D position;

  const GMetaClass* getMetaClass() const override { return &metaclass_; }
  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override {
    return id == gTypeInfo_ ? this : GStreamable::cast_to_(id);
  }
  void read(ipstream& in) override {
    frame = static_cast<std::int32_t>(in.readDWord());
    in >> position;
  }
  void write(opstream& out) const override {
    out.writeDWord(static_cast<std::uint32_t>(frame));
    out << position;
  }
};

// A named list of streamable entries (points or further lists), which it owns.
class DemoGroup : public GCollection {
 public:
  static constexpr type_info gTypeInfo_{"DemoGroup"};
  static GMetaClass metaclass_;

  GString name;

  ~DemoGroup() override { shut_down(); }
  const GMetaClass* getMetaClass() const override { return &metaclass_; }
  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override {
    return id == gTypeInfo_ ? this : GCollection::cast_to_(id);
  }
  void read(ipstream& in) override {
    in >> name;
    GCollection::read(in);
  }
  void write(opstream& out) const override {
    out << name;
    GCollection::write(out);
  }
  void freeItem(void* item) override { delete static_cast<GStreamable*>(item); }
  void write_item(opstream& out, void* item) const override {
    out.writeStreamablePointer(static_cast<GStreamable*>(item));
  }
  void* read_item(ipstream& in) override {
    return in.readStreamablePointer(GStreamable::gTypeInfo_);
  }
};

GMetaClass DemoPoint::metaclass_(&demoModuleHandle, DemoPoint::gTypeInfo_, "DemoPoint",
                                 gCreateObject<DemoPoint>, gDestroyObject<DemoPoint>, nullptr);
GMetaClass DemoGroup::metaclass_(&demoModuleHandle, DemoGroup::gTypeInfo_, "DemoGroup",
                                 gCreateObject<DemoGroup>, gDestroyObject<DemoGroup>,
                                 &GCollection::metaclass_);

DemoPoint* makePoint(std::int32_t frame, double x, double y, double z) {
  DemoPoint* p = new DemoPoint;
  p->frame = frame;
  p->position = Vector3D(x, y, z);
  return p;
}

void print(GStreamable* entry, int depth) {
  std::printf("%*s", depth * 2, "");
  if (entry == nullptr) {
    std::printf("(null)\n");
  } else if (DemoPoint* p = gcast<DemoPoint>(entry)) {
    std::printf("point frame %d at (%g, %g, %g)\n", p->frame, p->position.x, p->position.y,
                p->position.z);
  } else if (DemoGroup* g = gcast<DemoGroup>(entry)) {
    std::printf("group \"%s\" with %d entries\n", g->name.c_str(), g->count);
    for (int i = 0; i < g->count; ++i)
      print(static_cast<GStreamable*>(g->items[i]), depth + 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "stream-demo.bin";

  DemoGroup scene;
  scene.name = "scene";
  DemoGroup* camera = new DemoGroup;
  camera->name = "camera1";
  camera->v_insert(static_cast<GStreamable*>(makePoint(1, 0, 0, 10)));
  camera->v_insert(static_cast<GStreamable*>(makePoint(2, 0.5, 0, 9.5)));
  scene.v_insert(static_cast<GStreamable*>(camera));
  scene.v_insert(static_cast<GStreamable*>(makePoint(24, 1, 2, 3)));

  {
    ofpstream out(path, GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
    if ((out.rdstate() & 6) != 0) {
      std::fprintf(stderr, "cannot create %s\n", path);
      return 1;
    }
    out.writeDWord(0x6F6D6544);  // "Demo"
    out.writeByte(1);
    out << 24.0 << 0.5f << GString("written by vxr_stream_demo");
    out.writeStreamablePointer(&scene);
    if (!out.close()) {
      std::fprintf(stderr, "writing %s failed\n", path);
      return 1;
    }
  }

  ifpstream in(path, GIO::IORead, GFileIO::IOOpenExisting, GFileIO::IOShareRead);
  if ((in.rdstate() & 6) != 0) {
    std::fprintf(stderr, "cannot open %s\n", path);
    return 1;
  }
  std::uint32_t magic = in.readDWord();
  unsigned version = in.readByte();
  double rate = 0;
  float ratio = 0;
  GString note;
  in >> rate >> ratio >> note;
  DemoGroup* read = static_cast<DemoGroup*>(in.readStreamablePointer(DemoGroup::gTypeInfo_));
  if (in.fail() || read == nullptr) {
    std::fprintf(stderr, "reading %s failed (state %d)\n", path, in.rdstate());
    return 1;
  }
  std::printf("read %s\n", path);
  std::printf("magic 0x%08X, version %u, rate %g, ratio %g\n", magic, version, rate,
              static_cast<double>(ratio));
  std::printf("note \"%s\"\n", note.c_str());
  print(read, 0);
  delete read;
  return 0;
}
