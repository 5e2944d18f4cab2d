#pragma once
#include <maya/MArrayBase.h>
#include <maya/MPlug.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN
MINIHOST_DECLARE_ARRAY(MPlugArray, MPlug);

OPENMAYA_NAMESPACE_CLOSE
