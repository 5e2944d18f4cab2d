#pragma once

#include "anim_model/AnimationFileFormat.h"
#include "anim_model/OwningCollection.h"
#include "boundary/base/GString.h"
#include "boundary/base/ipstream.h"
#include "boundary/base/opstream.h"

// What the camera and light tracks share: a name and owned keys in the order appended.
//
// Stream layout: a format version byte (written 0, ignored when read), the keys as a collection
// (count, then each key through the derived class's write_item), then the name.
template <class Key>
class KeyTrack : public OwningCollection<Key> {
 public:
  // The full path name of the host object the track animates.
  GString name;

  void setName(const GString& trackName) { name = trackName; }
  int keyCount() const { return this->count; }
  // The key at `index`, or null when the index is out of range.
  Key* key(int index) const { return this->entry(index); }

  void write(opstream& out) const override {
    out.writeByte(kRecordFormatVersion);
    GCollection::write(out);
    out << name;
  }
  // Appends the keys read; meant for a new, empty track.
  void read(ipstream& in) override {
    in.readByte();
    GCollection::read(in);
    in >> name;
  }
};
