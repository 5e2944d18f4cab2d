#pragma once
#include <maya/MArrayBase.h>
MINIHOST_DECLARE_ARRAY(MFloatArray, float);
