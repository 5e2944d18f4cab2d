#include "shell/DistanceConversion.h"

double convertDistance(double value, MDistance::Unit from, MDistance::Unit to) {
  return MDistance(value, from).as(to);
}
