#pragma once

#include <cstddef>

#include "boundary/base/GFile.h"
#include "boundary/base/GIO.h"
#include "boundary/base/GString.h"
#include "boundary/base/opstream.h"

class WriteBehind;

// An output file stream that replaces its target atomically.
//
// Opening creates a temporary "<target>.tmpXXXXXX" in the target's folder; the data goes there.
// close() flushes, syncs and closes it and, when every step and every earlier write succeeded,
// renames it over the target. On any failure the target is left as it was, the temporary is
// removed and the state shows badbit. The destructor closes a stream the caller did not.
//
// Once a file grows past `writeBehindFrom`, its data goes to the system from a thread of the
// stream's own (WriteBehind) while the caller goes on writing; a failed write there shows as
// badbit at the next full buffer or at close. The file being replaced is released (its blocks
// freed) in the background after the rename, so close() does not wait for that either.
//
// The open fails (state & 6 nonzero) when the open mode lacks IOWrite, when no temporary can be
// made beside the target, when the target exists but is not a regular file (a device, a folder),
// and as the create mode asks: IOOpenExisting needs an existing target, IOCreateNew a missing one.
// A symbolic link as target is followed: the file it names is replaced and the link kept.
// Writes into a stream whose open failed are dropped harmlessly.
class ofpstream : public opstream {
 public:
  static constexpr std::size_t bufferSize = 64 * 1024;
  // With the sync on, every time this much more has been written the system is asked to start
  // putting it on disk, so writing a large file and waiting for the disk overlap.
  static constexpr std::size_t writebackStep = 8 * 1024 * 1024;
  // A file longer than this is written from a thread of the stream's own.
  static constexpr std::size_t writeBehindFrom = 1024 * 1024;

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
  // Whether close() asks the system to put the data on disk before the rename (default on).
  void setSyncOnClose(bool sync) { syncOnClose_ = sync; }

 protected:
  bool overflow(std::size_t needed) override;

 private:
  bool drain();
  bool startWriteBehind();
  bool finishWrites();
  bool replaceTarget();
  void discard();

  int fd_ = -1;
  bool closed_ = false;
  bool closeResult_ = false;
  bool syncOnClose_ = true;
  bool noClobber_ = false;
  bool writeBehindTried_ = false;
  std::size_t written_ = 0;         // bytes handed to the system so far
  std::size_t writebackStart_ = 0;  // first byte not yet asked to go to disk
  GString target_;
  GString temporary_;
  char* buffer_ = nullptr;         // this stream's own buffer; also takes what a failed one drops
  char* bufferStart_ = nullptr;    // start of the buffer being filled (own or a WriteBehind chunk)
  WriteBehind* behind_ = nullptr;  // set while a thread writes the file
};
