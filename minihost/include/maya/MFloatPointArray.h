#pragma once
#include <maya/MArrayBase.h>
#include <maya/MFloatPoint.h>
MINIHOST_DECLARE_ARRAY(MFloatPointArray, MFloatPoint);
