// Length and angle values with units.
#include <maya/MAngle.h>
#include <maya/MDistance.h>

#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

namespace {

// Micrometres per unit: whole numbers, so metric conversions stay exact.
double micrometres(MDistance::Unit unit) {
  switch (unit) {
    case MDistance::kInches:
      return 25400.0;
    case MDistance::kFeet:
      return 304800.0;
    case MDistance::kYards:
      return 914400.0;
    case MDistance::kMiles:
      return 1609344000.0;
    case MDistance::kMillimeters:
      return 1000.0;
    case MDistance::kCentimeters:
      return 10000.0;
    case MDistance::kKilometers:
      return 1.0e9;
    case MDistance::kMeters:
      return 1.0e6;
    default:
      return 0.0;
  }
}

constexpr double kPi = 3.14159265358979323846;

double radiansPer(MAngle::Unit unit) {
  switch (unit) {
    case MAngle::kRadians:
      return 1.0;
    case MAngle::kDegrees:
      return kPi / 180.0;
    case MAngle::kAngMinutes:
      return kPi / (180.0 * 60.0);
    case MAngle::kAngSeconds:
      return kPi / (180.0 * 3600.0);
    default:
      return 0.0;
  }
}

// `value` measured in a unit of size `fromScale`, expressed in a unit of size `toScale` (sizes in
// one common base unit); an unknown target unit (size 0) is an invalid parameter.
double convertByScale(double value, double fromScale, double toScale, bool sameUnit,
                      MStatus* status) {
  if (toScale <= 0.0) {
    if (status)
      *status = MS::kInvalidParameter;
    return 0.0;
  }
  if (status)
    *status = MS::kSuccess;
  return sameUnit ? value : value * fromScale / toScale;
}

}  // namespace

MDistance::MDistance() : value_(0.0), unit_(kCentimeters) {}
MDistance::MDistance(double value, Unit unitSystem)
    : value_(value), unit_(micrometres(unitSystem) > 0 ? unitSystem : kCentimeters) {}
MDistance::MDistance(const MDistance& other) = default;
MDistance::~MDistance() = default;
MDistance& MDistance::operator=(const MDistance& other) = default;
MDistance::Unit MDistance::unit() const {
  return unit_;
}
double MDistance::value() const {
  return value_;
}
MStatus MDistance::setUnit(Unit newUnit) {
  if (micrometres(newUnit) <= 0)
    return MS::kInvalidParameter;
  unit_ = newUnit;
  return MS::kSuccess;
}
MStatus MDistance::setValue(double newValue) {
  value_ = newValue;
  return MS::kSuccess;
}
double MDistance::as(Unit otherUnit, MStatus* ReturnStatus) const {
  return convertByScale(value_, micrometres(unit_), micrometres(otherUnit), otherUnit == unit_,
                        ReturnStatus);
}
double MDistance::asInches() const {
  return as(kInches);
}
double MDistance::asFeet() const {
  return as(kFeet);
}
double MDistance::asYards() const {
  return as(kYards);
}
double MDistance::asMiles() const {
  return as(kMiles);
}
double MDistance::asMillimeters() const {
  return as(kMillimeters);
}
double MDistance::asCentimeters() const {
  return as(kCentimeters);
}
double MDistance::asKilometers() const {
  return as(kKilometers);
}
double MDistance::asMeters() const {
  return as(kMeters);
}
MDistance::Unit MDistance::uiUnit() {
  return minihost::Scene::get().linearUnit();
}
MStatus MDistance::setUIUnit(Unit newUnit) {
  if (micrometres(newUnit) <= 0)
    return MS::kInvalidParameter;
  minihost::Scene::get().setLinearUnit(newUnit);
  return MS::kSuccess;
}
MDistance::Unit MDistance::internalUnit() {
  return kCentimeters;
}
double MDistance::uiToInternal(double value) {
  return MDistance(value, uiUnit()).as(kCentimeters);
}
double MDistance::internalToUI(double value) {
  return MDistance(value, kCentimeters).as(uiUnit());
}

MAngle::MAngle() : value_(0.0), unit_(kRadians) {}
MAngle::MAngle(const MAngle& other) = default;
MAngle::MAngle(double value, Unit unitSystem)
    : value_(value), unit_(radiansPer(unitSystem) > 0 ? unitSystem : kRadians) {}
MAngle::~MAngle() = default;
MAngle& MAngle::operator=(const MAngle& other) = default;
MAngle::Unit MAngle::unit() const {
  return unit_;
}
double MAngle::value() const {
  return value_;
}
MStatus MAngle::setUnit(Unit newUnit) {
  if (radiansPer(newUnit) <= 0)
    return MS::kInvalidParameter;
  unit_ = newUnit;
  return MS::kSuccess;
}
MStatus MAngle::setValue(double newValue) {
  value_ = newValue;
  return MS::kSuccess;
}
double MAngle::as(Unit otherUnit, MStatus* ReturnStatus) const {
  return convertByScale(value_, radiansPer(unit_), radiansPer(otherUnit), otherUnit == unit_,
                        ReturnStatus);
}
double MAngle::asRadians() const {
  return as(kRadians);
}
double MAngle::asDegrees() const {
  return as(kDegrees);
}
MAngle::Unit MAngle::uiUnit() {
  return minihost::Scene::get().angleUnit();
}
MStatus MAngle::setUIUnit(Unit newUnit) {
  if (radiansPer(newUnit) <= 0)
    return MS::kInvalidParameter;
  minihost::Scene::get().setAngleUnit(newUnit);
  return MS::kSuccess;
}
MAngle::Unit MAngle::internalUnit() {
  return kRadians;
}

OPENMAYA_NAMESPACE_CLOSE
