#pragma once
#include <maya/MArrayBase.h>
#include <maya/MFloatVector.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN
MINIHOST_DECLARE_ARRAY(MFloatVectorArray, MFloatVector);

OPENMAYA_NAMESPACE_CLOSE
