#pragma once
#include <maya/MArrayBase.h>
#include <maya/MString.h>
MINIHOST_DECLARE_ARRAY(MStringArray, MString);
