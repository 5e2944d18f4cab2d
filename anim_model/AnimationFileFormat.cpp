#include "anim_model/AnimationFileFormat.h"

#include "boundary/base/ipstream.h"

bool isAnimationFile(ipstream& in) {
  if (in.readDWord() != kAnimationFileMagic || in.fail())
    return false;
  std::uint8_t version = in.readByte();
  // A failed read yields 0, which would pass as version 0: the failure itself decides.
  return !in.fail() && version <= kAnimationFileVersion;
}
