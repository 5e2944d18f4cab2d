#pragma once

#include <cstddef>

// The system calls the file output stream and its writing thread share.

// Writes all `length` bytes to `fd`, resuming after interruptions and partial writes.
bool writeAll(int fd, const char* bytes, std::size_t length);

// Starts writing the given range of the file to disk without waiting for it, so that the sync
// at close finds most of a large file already written instead of writing it all then.
void startWriteback(int fd, std::size_t from, std::size_t length);
