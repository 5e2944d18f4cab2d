#pragma once
#include <maya/MArrayBase.h>
#include <maya/MPoint.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN
MINIHOST_DECLARE_ARRAY(MPointArray, MPoint);

OPENMAYA_NAMESPACE_CLOSE
