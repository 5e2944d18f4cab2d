#pragma once
// What the import benchmarks share: writing their animation file, sending MEL to the host and
// the main that loads the plug-in around the runs.

#include <benchmark/benchmark.h>

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <cstdio>
#include <string>

#include "anim_model/AnimationDocument.h"
#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/GIO.h"
#include "boundary/base/ofpstream.h"
#include "mel/host/MelHost.h"

// Writes the document's cameras and lights as a y-up animation file.
inline void writeBenchDocument(const std::string& path, const AnimationDocument& document) {
  ofpstream out(path.c_str(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  AnimationFileHeader header;
  header.upAxisIsZ = false;
  header.write(out, document.cameras);
  header.writeLights(out, document.lights);
  out.close();
}

// Runs MEL quietly; the command's result goes to `result` when given.
inline bool runMel(const std::string& text, std::string* result = nullptr) {
  MString value;
  const bool ok = MGlobal::executeCommand(MString(text.c_str()), value, false, false);
  if (result != nullptr)
    *result = value.asChar();
  return ok;
}

// Loads the built plug-in into the batch host, writes the benchmarks' input file, runs them and
// removes the file again.
inline int runImportBenchmarks(int argc, char** argv, void (*writeInput)(),
                               const std::string& inputPath) {
  benchmark::Initialize(&argc, argv);
  mel::MelHost& host = mel::initMinihostMel();
  std::string name, error;
  if (!host.loadPlugin(VXR_PLUGIN_PATH, name, error)) {
    std::fprintf(stderr, "cannot load the plug-in: %s\n", error.c_str());
    return 1;
  }
  writeInput();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  mel::shutdownMinihostMel();
  std::remove(inputPath.c_str());
  return 0;
}
