// Asks both translators of the loaded plug-in, "VXR Animation" and "VXR PolyMesh", whether the
// bytes are the start of their file. The host hands identifyFile the start of a file and its
// length as a short, so the input (cut to 32,767 bytes) is copied into a heap block of exactly
// that length: a read past it is an overflow the address sanitizer reports. Each input also
// asks with a negative length, over a block of no bytes at all, which must be answered "not my
// file" without reading. Beyond the sanitizers' findings the answers are checked against the
// file formats: the animation file begins with the magic "VXan" and a version Byte of 0 or 1,
// the mesh file with the magic "VXpm" and version 0; anything else is not the translator's file,
// and "could be" is never the answer.
#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MString.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "LoadedPlugin.h"
#include "engine/PluginRegistry.h"
#include "mel/host/MelHost.h"

namespace {

struct Translator {
  const char* name;
  char magic[4];
  std::uint8_t newestVersion;
  // Kept for the whole run, never destroyed: the plug-in that made it may be gone at exit.
  MPxFileTranslator* instance;
};

Translator translators[] = {
    {"VXR Animation", {'V', 'X', 'a', 'n'}, 1, nullptr},
    {"VXR PolyMesh", {'V', 'X', 'p', 'm'}, 0, nullptr},
};

MFileObject* file = nullptr;

void check(bool condition, const char* what, const Translator& translator, long length) {
  if (condition)
    return;
  std::fprintf(stderr, "%s: %s (length %ld)\n", translator.name, what, length);
  std::abort();
}

bool isFileStart(const Translator& translator, const char* bytes, long length) {
  return length >= 5 && std::memcmp(bytes, translator.magic, 4) == 0 &&
         static_cast<std::uint8_t>(bytes[4]) <= translator.newestVersion;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  loadPluginOrAbort();
  for (Translator& translator : translators) {
    translator.instance =
        minihost::PluginRegistry::get().createTranslator(translator.name).release();
    if (translator.instance == nullptr) {
      std::fprintf(stderr, "the plug-in registered no translator \"%s\"\n", translator.name);
      std::abort();
    }
  }
  file = new MFileObject();
  file->setRawFullName(MString("/nonexistent/fuzz.input"));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t length = size < 32767 ? size : 32767;
  std::unique_ptr<char[]> block(new char[length]);
  if (length > 0)
    std::memcpy(block.get(), data, length);

  // A length below zero, spread over the whole range of a short.
  short negative = -1;
  if (size >= 2)
    negative = static_cast<short>(-1 - ((data[0] | (data[1] << 8)) & 0x7FFF));
  std::unique_ptr<char[]> none(new char[0]);

  for (const Translator& translator : translators) {
    const MPxFileTranslator::MFileKind kind =
        translator.instance->identifyFile(*file, block.get(), static_cast<short>(length));
    check(kind == MPxFileTranslator::kIsMyFileType || kind == MPxFileTranslator::kNotMyFileType,
          "an answer other than yes or no", translator, static_cast<long>(length));
    const bool expected = isFileStart(translator, block.get(), static_cast<long>(length));
    check((kind == MPxFileTranslator::kIsMyFileType) == expected,
          expected ? "its own file refused" : "another file taken", translator,
          static_cast<long>(length));

    const MPxFileTranslator::MFileKind refused =
        translator.instance->identifyFile(*file, none.get(), negative);
    check(refused == MPxFileTranslator::kNotMyFileType, "a negative length taken", translator,
          negative);
  }
  return 0;
}
