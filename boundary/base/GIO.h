#pragma once

// Open, create and share modes of the persistent streams.
//
// Callers open an output file with (IOWrite, IOCreateAlways, IOShareNone) and an input file with
// (IORead, IOOpenExisting, IOShareRead); a memory stream is opened with IORead.
class GIO {
 public:
  enum IOOpenMode {
    IORead = 1,
    IOWrite = 2,
  };
};

class GFileIO : public GIO {
 public:
  // What an open does when the target exists or does not.
  enum IOCreateMode {
    IOOpenExisting = 0,  // the file must exist
    IOCreateNew = 1,     // the file must not exist
    IOOpenAlways = 2,    // either; an output stream replaces the contents
    IOCreateAlways = 3,  // either; an output stream replaces the contents
  };
  // Advisory only: POSIX has no mandatory share locks, so every value behaves alike.
  enum IOShareMode {
    IOShareNone = 0,
    IOShareRead = 1,
    IOShareWrite = 2,
    IOShareReadWrite = 3,
  };
};
