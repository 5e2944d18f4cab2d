#pragma once
#include <maya/MArrayBase.h>
#include <maya/MVector.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN
MINIHOST_DECLARE_ARRAY(MVectorArray, MVector);

OPENMAYA_NAMESPACE_CLOSE
