#pragma once

#include "boundary/base/GFile.h"
#include "boundary/base/GString.h"

// The file a mesh export command writes: the base as given, then, when a frame is given, a dot
// and the signed frame number padded with zeros to four characters (".0007", ".12345", ".-003"),
// then ".vxrmesh". The base is never inspected, so a base that already ends in ".vxrmesh" gets the
// extension a second time.
GFile meshFileName(const GString& base, bool frameGiven, int frameNumber);
