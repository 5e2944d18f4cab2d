#pragma once
#include <maya/MArrayBase.h>
#include <maya/MPlug.h>
MINIHOST_DECLARE_ARRAY(MPlugArray, MPlug);
