#pragma once
#include <maya/MArrayBase.h>
#include <maya/MPoint.h>
MINIHOST_DECLARE_ARRAY(MPointArray, MPoint);
