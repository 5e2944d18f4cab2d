#pragma once
#include <maya/MArrayBase.h>
#include <maya/MFloatPoint.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN
MINIHOST_DECLARE_ARRAY(MFloatPointArray, MFloatPoint);

OPENMAYA_NAMESPACE_CLOSE
