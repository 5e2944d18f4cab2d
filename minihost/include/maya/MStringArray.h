#pragma once
#include <maya/MArrayBase.h>
#include <maya/MString.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN
MINIHOST_DECLARE_ARRAY(MStringArray, MString);

OPENMAYA_NAMESPACE_CLOSE
