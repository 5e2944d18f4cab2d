#pragma once
#include <maya/MArrayBase.h>
#include <maya/MDagPath.h>
MINIHOST_DECLARE_ARRAY(MDagPathArray, MDagPath);
