#pragma once

#include <cstddef>

#include "boundary/base/GFile.h"
#include "boundary/base/GIO.h"
#include "boundary/base/GString.h"
#include "boundary/base/opstream.h"

// An output file stream that replaces its target atomically.
//
// Opening creates a hidden temporary ".<target name>.tmpXXXXXX" in the target's folder (see
// TemporaryFile.h; stale ones of the same target left by a killed writer are removed then); the
// data goes there. close() flushes, syncs and closes it and, when every step and every earlier
// write succeeded, renames it over the target. On any failure the target is left as it was, the
// temporary is removed and the state shows badbit. abandon() drops the data on purpose. The
// destructor closes a stream the caller did not, unless the stack is being unwound by an
// exception: a write cut short that way is abandoned.
//
// The open fails (state & 6 nonzero) when the open mode lacks IOWrite, when no temporary can be
// made beside the target, when the target exists but is not a regular file (a device, a folder)
// or is one the user could not open for writing (read-only for this user or for everyone),
// and as the create mode asks: IOOpenExisting needs an existing target, IOCreateNew a missing one.
// A symbolic link as target is followed: the file it names is replaced and the link kept.
// Writes into a stream whose open failed are dropped harmlessly.
class ofpstream : public opstream {
 public:
  // Large enough that the system takes each write into the page cache in a few large pieces
  // (a third less time per byte than at 64 KiB); larger buffers measured no faster.
  static constexpr std::size_t bufferSize = 256 * 1024;
  // With the sync on, every time this much more has been written the system is asked to start
  // putting it on disk, so writing a large file and waiting for the disk overlap.
  static constexpr std::size_t writebackStep = 8 * 1024 * 1024;

  ofpstream(const char* path, int openMode = GIO::IOWrite, int createMode = GFileIO::IOCreateAlways,
            int shareMode = GFileIO::IOShareNone);
  ofpstream(const GString& path, int openMode = GIO::IOWrite,
            int createMode = GFileIO::IOCreateAlways, int shareMode = GFileIO::IOShareNone)
      : ofpstream(GFile::systemPath(path), openMode, createMode, shareMode) {}
  ofpstream(const GFile& path, int openMode = GIO::IOWrite,
            int createMode = GFileIO::IOCreateAlways, int shareMode = GFileIO::IOShareNone)
      : ofpstream(path.systemPath(), openMode, createMode, shareMode) {}
  ~ofpstream() override;

  bool isOpen() const { return fd_ >= 0; }
  // Finishes the file (see the class comment). True when the target now holds what was written.
  // A second call returns the result of the first.
  bool close();
  // Drops everything written: the temporary is removed, the target left as it was, and close()
  // reports failure. For a writer that finds, part way, that it must not finish the file.
  void abandon();
  // Whether close() asks the system to put the data on disk before the rename (default on).
  void setSyncOnClose(bool sync) { syncOnClose_ = sync; }

 protected:
  bool overflow(std::size_t needed) override;

 private:
  bool drain();
  void discard();

  int fd_ = -1;
  bool closed_ = false;
  bool closeResult_ = false;
  bool syncOnClose_ = true;
  bool noClobber_ = false;
  std::size_t written_ = 0;         // bytes handed to the system so far
  std::size_t writebackStart_ = 0;  // first byte not yet asked to go to disk
  GString target_;
  GString temporary_;
  char* buffer_ = nullptr;
};
