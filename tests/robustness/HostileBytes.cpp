#include "HostileBytes.h"

#include <cstring>

#include "anim_model/AnimationFileFormat.h"

ByteText animationHead() {
  ByteText head;
  head.dword(kAnimationFileMagic).byte(kAnimationFileVersion).byte(kUpAxisZByte);
  head.byte(kRecordFormatVersion);
  return head;
}

bool UnsizedStream::underflow(std::size_t needed) {
  std::size_t kept = buffered();
  if (kept > 0)
    std::memmove(piece_, readCursor(), kept);
  while (kept < needed && next_ < bytes_.size()) {
    std::size_t n = sizeof piece_ - kept;
    if (n > bytes_.size() - next_)
      n = bytes_.size() - next_;
    std::memcpy(piece_ + kept, bytes_.data() + next_, n);
    next_ += n;
    kept += n;
  }
  setBuffer(piece_, piece_ + kept);
  return kept >= needed;
}
