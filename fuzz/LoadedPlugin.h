#pragma once
// The plug-in loaded into the stand-in host with its MEL interpreter, once per fuzzer process,
// for the targets that run it. A fuzzer that cannot load it stops at once: every input would
// test nothing.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "mel/host/MelHost.h"

inline mel::MelHost& loadPluginOrAbort() {
  mel::MelHost& host = mel::initMinihostMel();
  std::string name, error;
  if (!host.loadPlugin(VXR_PLUGIN_PATH, name, error)) {
    std::fprintf(stderr, "cannot load the plug-in: %s\n", error.c_str());
    std::abort();
  }
  return host;
}
