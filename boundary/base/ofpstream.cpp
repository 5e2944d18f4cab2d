#include "boundary/base/ofpstream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "boundary/base/TemporaryFile.h"

namespace {

bool writeAll(int fd, const char* bytes, std::size_t length) {
  while (length > 0) {
    ssize_t n = ::write(fd, bytes, length);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    bytes += n;
    length -= static_cast<std::size_t>(n);
  }
  return true;
}

// Starts writing the given range of the file to disk without waiting for it, so that the sync
// at close finds most of a large file already written instead of writing it all then.
void startWriteback(int fd, std::size_t from, std::size_t length) {
#if defined(__linux__)
  // A failure here changes nothing: the sync at close still writes and reports.
  ::sync_file_range(fd, static_cast<off_t>(from), static_cast<off_t>(length),
                    SYNC_FILE_RANGE_WRITE);
#else
  (void)fd;
  (void)from;
  (void)length;
#endif
}

// Whether the user may replace an existing file. The file takes the place of the old one, so
// this asks what opening the old file for writing would: the system's answer for this process,
// and, since the superuser passes over permission bits, whether the file is marked read-only for
// everyone, which the user has set to keep it from being changed.
bool userMayWrite(const char* path, const struct stat& info) {
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    return false;
  return ::faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) == 0;
}

// The mode a newly created file gets from the process's umask.
mode_t newFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

}  // namespace

ofpstream::ofpstream(const char* path, int openMode, int createMode, int /*shareMode*/) {
  if (path == nullptr || *path == '\0' || (openMode & GIO::IOWrite) == 0) {
    setFailure(badbit);
    return;
  }
  target_ = path;

  struct stat info;
  bool exists = ::lstat(path, &info) == 0;
  if (exists && S_ISLNK(info.st_mode)) {
    // Replace the file the link names, not the link.
    char* resolved = ::realpath(path, nullptr);
    if (resolved == nullptr) {
      setFailure(badbit);
      return;
    }
    target_ = resolved;
    std::free(resolved);
    exists = ::stat(target_.c_str(), &info) == 0;
  }
  if (exists && !S_ISREG(info.st_mode)) {
    // A device or a folder cannot be replaced by a file.
    setFailure(badbit);
    return;
  }
  if (exists && !userMayWrite(target_.c_str(), info)) {
    setFailure(badbit);
    return;
  }
  if ((createMode == GFileIO::IOOpenExisting && !exists) ||
      (createMode == GFileIO::IOCreateNew && exists)) {
    setFailure(badbit);
    return;
  }
  noClobber_ = createMode == GFileIO::IOCreateNew;

  buffer_ = static_cast<char*>(std::malloc(bufferSize));
  if (buffer_ == nullptr) {
    setFailure(badbit);
    return;
  }
  GString pattern;
  fd_ = makeTemporaryBeside(target_, pattern);
  if (fd_ < 0) {
    setFailure(badbit);
    return;
  }
  temporary_ = pattern;
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  ::fchmod(fd_, exists ? (info.st_mode & 07777) : newFileMode());
  setBuffer(buffer_, buffer_ + bufferSize);
}

ofpstream::~ofpstream() {
  if (std::uncaught_exceptions() > 0)
    abandon();
  close();
  std::free(buffer_);
}

bool ofpstream::drain() {
  std::size_t used = static_cast<std::size_t>(bufferCursor() - buffer_);
  setBuffer(buffer_, buffer_ + bufferSize);
  if (used == 0)
    return true;
  if (!writeAll(fd_, buffer_, used)) {
    setFailure(badbit);
    return false;
  }
  written_ += used;
  if (syncOnClose_ && written_ - writebackStart_ >= writebackStep) {
    startWriteback(fd_, writebackStart_, written_ - writebackStart_);
    writebackStart_ = written_;
  }
  return true;
}

bool ofpstream::overflow(std::size_t /*needed*/) {
  if (fd_ < 0 || fail()) {
    // Failed or closed: keep the buffer empty and drop what comes, without system calls.
    if (buffer_ != nullptr && !closed_)
      setBuffer(buffer_, buffer_ + bufferSize);
    return buffer_ != nullptr && !closed_;
  }
  return drain();
}

void ofpstream::discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temporary_.isEmpty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
}

void ofpstream::abandon() {
  if (closed_)
    return;
  closed_ = true;
  closeResult_ = false;
  setBuffer(nullptr, nullptr);
  discard();
  setFailure(badbit);
}

bool ofpstream::close() {
  if (closed_)
    return closeResult_;
  bool ok = fd_ >= 0 && !fail() && drain();
  closed_ = true;
  setBuffer(nullptr, nullptr);  // writes after the close are dropped
  if (ok && syncOnClose_ && ::fsync(fd_) != 0)
    ok = false;
  if (fd_ >= 0) {
    if (::close(fd_) != 0)
      ok = false;
    fd_ = -1;
  }
  if (ok) {
    if (noClobber_) {
      // link() refuses an existing name, so a file that appeared meanwhile is not replaced.
      ok = ::link(temporary_.c_str(), target_.c_str()) == 0;
      if (ok)
        ::unlink(temporary_.c_str());
    } else {
      ok = ::rename(temporary_.c_str(), target_.c_str()) == 0;
    }
  }
  if (ok) {
    temporary_.clear();
  } else {
    discard();
    setFailure(badbit);
  }
  closeResult_ = ok;
  return ok;
}
