#pragma once

// Closes file descriptors on a thread of the process's own, for the one close that can take
// long: the last reference to a large file that was replaced or removed, whose blocks the system
// frees at that close (tens of milliseconds for a file of a hundred megabytes). Whoever replaced
// the file need not wait for it.
//
// The thread starts with the first descriptor handed over and ends when the library is unloaded
// (or the process exits), closing whatever is still pending. Should it not start, the
// descriptor is closed at once.
void closeInBackground(int fd);

// Waits until every descriptor handed over so far is closed.
void waitForBackgroundCloses();
