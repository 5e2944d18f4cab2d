// Feeds arbitrary bytes to vxrinfo's animation file checker and, when it finds the structure
// whole, to the animation reader as well: the checker must never call whole what the reader
// refuses, and neither may read past the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "anim_model/AnimationDocument.h"
#include "boundary/base/impstream.h"
#include "tools/vxrinfo/files/AnimationFileChecker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FaultList faults;
  bool whole = false;
  {
    impstream in(data, static_cast<long>(size));
    AnimationFileChecker checker(in, faults);
    whole = checker.check();
  }
  for (const FileFault& fault : faults.kept()) {
    if (fault.offset > size)
      std::abort();
  }
  if (whole && !faults.hasErrors()) {
    AnimationDocument document;
    impstream in(data, static_cast<long>(size));
    if (!document.read(in))
      std::abort();
  }
  return 0;
}
