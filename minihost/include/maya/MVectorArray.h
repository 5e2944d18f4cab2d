#pragma once
#include <maya/MArrayBase.h>
#include <maya/MVector.h>
MINIHOST_DECLARE_ARRAY(MVectorArray, MVector);
