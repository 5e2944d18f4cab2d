// Feeds arbitrary bytes to the animation file readers. Beyond the sanitizers' findings it checks
// what the readers promise: the identify test reads at most five bytes; a refused file leaves
// the document empty; a taken file writes back to bytes that read back and write again the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "anim_model/AnimationDocument.h"
#include "anim_model/AnimationFileFormat.h"
#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/impstream.h"
#include "boundary/base/ompstream.h"

namespace {

std::string writeDocument(const AnimationDocument& document) {
  ompstream out;
  AnimationFileHeader header;
  header.upAxisIsZ = document.upAxisIsZ;
  header.write(out, document.cameras);
  header.writeLights(out, document.lights);
  if (out.fail())
    std::abort();
  return std::string(out.data(), out.size());
}

void check(bool condition) {
  if (!condition)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const long length = static_cast<long>(size);
  {
    impstream in(data, length);
    bool identified = isAnimationFile(in);
    check(size - in.remaining() <= 5);
    check(!identified || (size >= 5 && data[4] <= kAnimationFileVersion));
  }

  AnimationDocument document;
  impstream in(data, length);
  if (!document.read(in)) {
    check(document.cameras.trackCount() == 0 && document.lights.trackCount() == 0);
    return 0;
  }
  check(document.cameras.holdsOnlyTracks() && document.lights.holdsOnlyTracks());

  const std::string first = writeDocument(document);
  AnimationDocument again;
  impstream reread(first.data(), static_cast<long>(first.size()));
  check(again.read(reread));
  check(reread.remaining() == 0);
  check(writeDocument(again) == first);

  // Conversion touches every key; the sanitizers watch it.
  document.convertUpAxis(document.upAxisIsZ, !document.upAxisIsZ);
  return 0;
}
