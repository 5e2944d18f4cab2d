#pragma once
#include <maya/MArrayBase.h>
#include <maya/MDagPath.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN
MINIHOST_DECLARE_ARRAY(MDagPathArray, MDagPath);

OPENMAYA_NAMESPACE_CLOSE
