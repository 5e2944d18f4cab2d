#include "anim_model/AnimationDocument.h"

#include "anim_model/AnimationFileFormat.h"
#include "anim_model/ClassRecords.h"
#include "boundary/base/ipstream.h"

AnimationDocument::AnimationDocument() {
  // Links the class records into every program that uses documents; reading tracks needs them.
  ensureAnimationClassRecords();
}

bool AnimationDocument::read(ipstream& in) {
  if (in.readDWord() != kAnimationFileMagic || in.fail())
    return false;
  std::uint8_t version = in.readByte();
  if (in.fail() || version > kAnimationFileVersion)
    return false;

  bool fileIsZUp = upAxisIsZ;
  if (version >= 1)
    fileIsZUp = in.readByte() == kUpAxisZByte;

  const int camerasBefore = cameras.trackCount();
  const int lightsBefore = lights.trackCount();
  in.readStreamable(cameras);
  if (version >= 1)
    in.readStreamable(lights);

  // A file that was cut short or held something other than tracks would import with keys
  // silently missing: refuse it whole.
  if (in.fail() || !cameras.holdsOnlyTracks() || !lights.holdsOnlyTracks()) {
    lights.discardFrom(lightsBefore);
    cameras.discardFrom(camerasBefore);
    return false;
  }
  upAxisIsZ = fileIsZUp;
  return true;
}

void AnimationDocument::convertUpAxis(bool fileIsZUp, bool hostIsZUp) {
  if (fileIsZUp == hostIsZUp)
    return;
  cameras.convertUpAxis(fileIsZUp);
  lights.convertUpAxis(fileIsZUp);
}
