#pragma once

#include <cstdint>
#include <string>

// What a file is, told by its first bytes (never by its name).
struct FileIdentity {
  enum class Kind {
    animation,   // an animation file of a version this tool reads
    mesh,        // a mesh file: starts with the mesh record magic, or is empty
    unknown,     // neither
    unreadable,  // could not be opened or read
  };

  Kind kind = Kind::unknown;
  std::uint64_t size = 0;
  // Animation files: the version byte, and the up-axis byte (version 1 only; 0 otherwise).
  std::uint8_t animationVersion = 0;
  std::uint8_t upAxisByte = 0;
  // Why the file is unknown or unreadable.
  std::string reason;
};

FileIdentity identifyFile(const std::string& path);
// The same test on bytes in memory (the first bytes of a file, or all of it).
FileIdentity identifyBytes(const char* bytes, std::size_t length);

const char* kindName(FileIdentity::Kind kind);
