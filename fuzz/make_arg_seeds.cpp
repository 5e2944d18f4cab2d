// Writes the seed corpora of the two command argument fuzzers, in their byte language
// (CommandArgBytes.h): the calls a script makes, and the near misses the commands must refuse.
#include <cstdio>
#include <fstream>
#include <string>

#include "fuzz/CommandArgBytes.h"

namespace {

bool ok = true;

void writeSeed(const std::string& folder, const char* name, const ArgByteWriter& seed) {
  std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
  out.write(seed.bytes().data(), static_cast<std::streamsize>(seed.bytes().size()));
  out.close();
  ok &= static_cast<bool>(out);
}

namespace import {

using namespace importArgs;

ArgByteWriter option(ArgByteWriter seed, const char* name) {
  return seed.kind(kOption).byte(optionIndex(name));
}

ArgByteWriter loaded() {
  return option(ArgByteWriter(), "-id").kind(kLoadedHandle);
}

ArgByteWriter index(ArgByteWriter seed, const char* name, int value) {
  return option(seed, name).kind(kInt).value(static_cast<std::uint32_t>(value), 4);
}

void write(const std::string& folder) {
  writeSeed(folder, "cameras", option(loaded(), "-cameras"));
  writeSeed(folder, "lights", option(loaded(), "-lights"));
  writeSeed(folder, "camera-name", option(index(loaded(), "-cameraid", 0), "-getname"));
  writeSeed(folder, "light-name", option(index(loaded(), "-lightid", 2), "-getname"));
  writeSeed(folder, "no-index-name", option(loaded(), "-getname"));
  writeSeed(folder, "camera-keys", option(index(loaded(), "-cameraid", 1), "-keyframes"));
  writeSeed(folder, "camera-time",
            option(index(index(loaded(), "-cameraid", 0), "-keyframe", 2), "-gettime"));
  writeSeed(folder, "bad-key-time",
            option(index(index(loaded(), "-cameraid", 0), "-keyframe", 7), "-gettime"));
  writeSeed(folder, "light-type",
            option(index(index(loaded(), "-lightid", 0), "-keyframe", 5), "-gettype"));
  writeSeed(folder, "set-camera",
            option(option(index(index(loaded(), "-cameraid", 0), "-keyframe", 0), "-camerapath")
                       .kind(kName)
                       .name("persp"),
                   "-setinfo"));
  writeSeed(folder, "set-light",
            option(option(index(index(loaded(), "-lightid", 1), "-keyframe", 0), "-lightpath")
                       .kind(kName)
                       .name("|light|lightShape"),
                   "-setinfo"));
  writeSeed(folder, "open-valid", option(ArgByteWriter(), "-open").kind(kValidFile));
  writeSeed(folder, "open-missing", option(ArgByteWriter(), "-open").kind(kName).name("missing"));
  writeSeed(folder, "open-then-count",
            option(option(ArgByteWriter(), "-open").kind(kValidFile), "-cameras"));
  writeSeed(folder, "close", option(loaded(), "-close"));
  writeSeed(folder, "no-id", option(ArgByteWriter(), "-cameras"));
  writeSeed(folder, "unknown-option",
            option(ArgByteWriter().kind(kName).name("-Cameras"), "-id")
                .kind(kLoadedHandle)
                .kind(kOption)
                .byte(optionIndex("-cameras")));
  writeSeed(folder, "last-action-wins", option(option(loaded(), "-cameras"), "-lights"));
  writeSeed(folder, "id-as-double", option(ArgByteWriter(), "-id").kind(kDouble).doubleValue(1.0));
}

}  // namespace import

namespace mesh {

using namespace meshArgs;

ArgByteWriter option(ArgByteWriter seed, const char* name) {
  return seed.kind(kOption).byte(optionIndex(name));
}

ArgByteWriter file(const char* name) {
  return option(ArgByteWriter(), "-file").kind(kName).name(name);
}

ArgByteWriter frame(ArgByteWriter seed, int value) {
  if (value >= -128 && value <= 127)
    return option(seed, "-frame").kind(kSmallInt).byte(static_cast<std::uint8_t>(value));
  return option(seed, "-frame").kind(kInt).value(static_cast<std::uint32_t>(value), 4);
}

void write(const std::string& folder) {
  writeSeed(folder, "no-arguments", ArgByteWriter());
  writeSeed(folder, "file", file("rock"));
  writeSeed(folder, "file-frame", frame(file("rock"), 7));
  writeSeed(folder, "frame-file",
            option(frame(ArgByteWriter(), -3), "-file").kind(kName).name("x"));
  writeSeed(folder, "large-frame", frame(file("rock"), 12345));
  writeSeed(folder, "frame-zero", frame(file("rock"), 0));
  writeSeed(folder, "path-frame",
            frame(option(ArgByteWriter(), "-file").kind(kPath).name("shot"), 42));
  writeSeed(folder, "missing-folder",
            option(ArgByteWriter(), "-file").kind(kMissingFolderPath).name("x"));
  writeSeed(folder, "file-last", option(ArgByteWriter(), "-file"));
  writeSeed(folder, "frame-last", option(file("rock"), "-frame"));
  writeSeed(folder, "file-then-frame", frame(option(ArgByteWriter(), "-file"), 1));
  writeSeed(folder, "twice", frame(frame(option(file("a"), "-file").kind(kName).name("b"), 1), 2));
  writeSeed(folder, "other-case", option(ArgByteWriter(), "-File").kind(kName).name("x"));
  writeSeed(folder, "frame-text", option(file("rock"), "-frame").kind(kName).name("seven"));
  writeSeed(folder, "frame-double", option(file("rock"), "-frame").kind(kDouble).doubleValue(2.5));
  writeSeed(folder, "frame-bool", option(file("rock"), "-frame").kind(kBool).byte(1));
  writeSeed(folder, "extension-twice", file("rock.vxrmesh"));
  writeSeed(folder, "long-name", file(std::string(250, 'n').c_str()));
}

}  // namespace mesh

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <import arguments folder> <mesh export arguments folder>\n",
                 argv[0]);
    return 2;
  }
  import::write(argv[1]);
  mesh::write(argv[2]);
  if (!ok) {
    std::fprintf(stderr, "%s: could not write the corpora\n", argv[0]);
    return 1;
  }
  return 0;
}
