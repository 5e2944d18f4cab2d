#pragma once

#include <vector>

#include "anim_model/AnimationFileFormat.h"
#include "anim_model/OwningCollection.h"
#include "boundary/base/ipstream.h"
#include "boundary/base/opstream.h"

// What the camera and light track lists share: owned tracks of one class, in the order appended.
//
// Stream layout: a format version byte (written 0, ignored when read), then the tracks as a
// collection whose entries are streamable pointers, so each track's class name goes with it.
// Reading accepts only tracks of the list's class; anything else fails the stream. A null
// pointer in the data reads back as a null entry, which holdsOnlyTracks() reports.
template <class Track>
class TrackList : public OwningCollection<Track> {
 public:
  int trackCount() const { return this->count; }
  // The track at `index`, or null when the index is out of range (or the entry is null).
  Track* track(int index) const { return this->entry(index); }

  void write(opstream& out) const override {
    out.writeByte(kRecordFormatVersion);
    GCollection::write(out);
  }
  // Appends the tracks read; meant for a new, empty list.
  void read(ipstream& in) override {
    in.readByte();
    GCollection::read(in);
  }
  void write_item(opstream& out, void* item) const override {
    out.writeStreamablePointer(static_cast<const Track*>(item), false);
  }
  void* read_item(ipstream& in) override { return in.readStreamablePointer(Track::gTypeInfo_); }

  // Converts every track, from the last to the first (see the track's convertUpAxis).
  void convertUpAxis(bool fileIsZUp) {
    for (int i = this->count - 1; i >= 0; --i) {
      if (Track* t = track(i))
        t->convertUpAxis(fileIsZUp);
    }
  }

  // False when an entry is null.
  bool holdsOnlyTracks() const {
    for (int i = 0; i < this->count; ++i) {
      if (this->items[i] == nullptr)
        return false;
    }
    return true;
  }

  // Frees the entries from `index` on, leaving the first `index` entries.
  void discardFrom(int index) {
    while (this->count > index && this->count > 0)
      this->freeItem(this->v_at_remove(this->count - 1));
  }

  // Tracks that hold at least one key: the ones a caller selects by index. One pass, so a caller
  // that selects many tracks by index builds this once and looks up in O(1).
  int countTracksWithKeys() const {
    int n = 0;
    for (int i = 0; i < this->count; ++i) {
      const Track* t = track(i);
      if (t != nullptr && t->keyCount() > 0)
        ++n;
    }
    return n;
  }
  std::vector<Track*> tracksWithKeys() const {
    std::vector<Track*> found;
    for (int i = 0; i < this->count; ++i) {
      Track* t = track(i);
      if (t != nullptr && t->keyCount() > 0)
        found.push_back(t);
    }
    return found;
  }
};
