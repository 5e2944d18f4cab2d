#pragma once
#include <maya/MArrayBase.h>
#include <maya/MFloatVector.h>
MINIHOST_DECLARE_ARRAY(MFloatVectorArray, MFloatVector);
