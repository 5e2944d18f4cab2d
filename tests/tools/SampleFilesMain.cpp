// Writes the sample files that the command-line tests of vxrinfo run the built tool on.
#include <cstdio>
#include <filesystem>
#include <string>

#include "ToolSamples.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vxr_tools_sample_files FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::string mesh = meshFileBytes({sampleSolid("rock"), sampleQuad("floor")});
  const std::pair<const char*, std::string> files[] = {
      {"sample.vxranim", sampleAnimationBytes(true)},
      {"sample-yup.vxranim", sampleAnimationBytes(false)},
      {"sample.vxrmesh", mesh},
      {"cut.vxrmesh", mesh.substr(0, mesh.size() - 7)},
      {"empty.vxrmesh", ""},
  };
  for (const auto& file : files) {
    std::FILE* out = std::fopen((folder + "/" + file.first).c_str(), "wb");
    if (out == nullptr ||
        std::fwrite(file.second.data(), 1, file.second.size(), out) != file.second.size()) {
      std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), file.first);
      return 1;
    }
    std::fclose(out);
  }
  return 0;
}
