#include "anim_model/AnimationFileHeader.h"

#include "anim_model/AnimationFileFormat.h"
#include "anim_model/VXRAnimation_CameraList.h"
#include "anim_model/VXRAnimation_LightList.h"
#include "boundary/base/opstream.h"

void AnimationFileHeader::write(opstream& out, const VXRAnimation_CameraList& cameras) const {
  out.writeDWord(kAnimationFileMagic);
  out.writeByte(kAnimationFileVersion);
  out.writeByte(upAxisIsZ ? kUpAxisZByte : kUpAxisYByte);
  out.writeStreamable(cameras);
}

void AnimationFileHeader::writeLights(opstream& out, const VXRAnimation_LightList& lights) const {
  out.writeStreamable(lights);
}
