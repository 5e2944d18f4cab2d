// Writes the seed corpus of fuzz_identify_file into a folder: each given file whole and its
// first 0 to 8 bytes, so both kinds of file and the short starts around the five bytes the
// identify tests read are there from the start.
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

std::string baseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <corpus folder> <file>...\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = true;
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[i]);
      ok = false;
      continue;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string name = folder + "/" + baseName(argv[i]);
    ok &= writeFile(name, bytes);
    for (std::size_t length = 0; length <= 8 && length < bytes.size(); ++length)
      ok &= writeFile(name + ".start" + std::to_string(length), bytes.substr(0, length));
  }
  if (!ok) {
    std::fprintf(stderr, "%s: could not write the corpus into %s\n", argv[0], folder.c_str());
    return 1;
  }
  return 0;
}
