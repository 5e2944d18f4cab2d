#pragma once

#include <cstddef>

#include "boundary/base/GFile.h"
#include "boundary/base/GIO.h"
#include "boundary/base/GString.h"
#include "boundary/base/ipstream.h"

// An input file stream, read in bounded chunks. For a regular file the size is known from the
// start, so remaining() is exact and a claimed length larger than the file fails at once.
// The open fails (state & 6 nonzero) when the mode lacks IORead, the file cannot be opened, or
// it is a folder. The create and share modes are accepted; reading never creates a file.
// A named pipe is opened without waiting for a writer; one that no writer holds reads as empty.
class ifpstream : public ipstream {
 public:
  static constexpr std::size_t bufferSize = 64 * 1024;

  ifpstream(const char* path, int openMode = GIO::IORead, int createMode = GFileIO::IOOpenExisting,
            int shareMode = GFileIO::IOShareRead);
  ifpstream(const GString& path, int openMode = GIO::IORead,
            int createMode = GFileIO::IOOpenExisting, int shareMode = GFileIO::IOShareRead)
      : ifpstream(GFile::systemPath(path), openMode, createMode, shareMode) {}
  ifpstream(const GFile& path, int openMode = GIO::IORead, int createMode = GFileIO::IOOpenExisting,
            int shareMode = GFileIO::IOShareRead)
      : ifpstream(path.systemPath(), openMode, createMode, shareMode) {}
  ~ifpstream() override;

  bool isOpen() const { return fd_ >= 0; }
  // Closes the file; later reads fail. Returns false if the system reported an error.
  bool close();
  std::size_t remaining() const override;

 protected:
  bool underflow(std::size_t needed) override;

 private:
  int fd_ = -1;
  bool sizeKnown_ = false;
  std::size_t unreadInFile_ = 0;  // bytes of the file not yet in the buffer (when size is known)
  char* buffer_ = nullptr;
};
