#pragma once

#include <maya/MDistance.h>

// `value` in `from` units expressed in `to` units, as the host converts lengths.
double convertDistance(double value, MDistance::Unit from, MDistance::Unit to);
