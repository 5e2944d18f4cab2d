#pragma once

#include <maya/MString.h>

#include <cstdint>

// What reading an animation file by name came to.
enum class AnimationReadOutcome {
  kCannotOpen,  // the file could not be opened; nothing was allocated
  kBadFile,     // the file was opened but is not a sound animation file
  kLoaded,      // the document is registered under `handle`
};

struct AnimationReadResult {
  AnimationReadOutcome outcome;
  std::int32_t handle;  // nonzero when loaded
};

// Opens the file, reads it into a new document, turns it to the scene's up axis and registers
// it. Shared by the translator's reader and the import command's "-open". A name holding a NUL
// byte cannot be opened: the system would see only the part before it, another file.
AnimationReadResult readAnimationFile(const MString& fileName);
