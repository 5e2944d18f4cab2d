#include <maya/MTime.h>

#include <ostream>

#include "engine/Scene.h"
#include "engine/TimeUnits.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

namespace {

double ticksPerUnit(MTime::Unit unit) {
  const minihost::TimeUnitInfo* info = minihost::timeUnitInfo(unit);
  return info ? minihost::kTicksPerSecond / info->perSecond : 0.0;
}

bool validUnit(MTime::Unit unit) {
  return ticksPerUnit(unit) > 0.0;
}

}  // namespace

MTime::MTime() : value_(0.0), unit_(kFilm) {}
MTime::MTime(const MTime& other) = default;
MTime::MTime(double value, Unit unitSystem)
    : value_(value), unit_(validUnit(unitSystem) ? unitSystem : kFilm) {}
MTime::~MTime() = default;

MTime& MTime::operator=(const MTime& other) = default;
MTime::Unit MTime::unit() const {
  return unit_;
}
double MTime::value() const {
  return value_;
}
MStatus MTime::setUnit(Unit newUnit) {
  // Keeps the time the same and expresses it in the new unit.
  if (!validUnit(newUnit))
    return MS::kInvalidParameter;
  value_ = as(newUnit);
  unit_ = newUnit;
  return MS::kSuccess;
}
MStatus MTime::setValue(double newValue) {
  value_ = newValue;
  return MS::kSuccess;
}
double MTime::as(Unit otherUnit) const {
  if (!validUnit(otherUnit))
    return 0.0;
  if (otherUnit == unit_)
    return value_;
  return value_ * ticksPerUnit(unit_) / ticksPerUnit(otherUnit);
}
double MTime::asUnits(Unit otherUnit) const {
  return as(otherUnit);
}

MTime MTime::operator+(const MTime& r) const {
  return MTime(value_ + r.as(unit_), unit_);
}
MTime MTime::operator+(double r) const {
  return MTime(value_ + r, unit_);
}
MTime& MTime::operator+=(const MTime& r) {
  return *this = *this + r;
}
MTime& MTime::operator+=(double r) {
  return *this = *this + r;
}
MTime MTime::operator-(const MTime& r) const {
  return MTime(value_ - r.as(unit_), unit_);
}
MTime MTime::operator-(double r) const {
  return MTime(value_ - r, unit_);
}
MTime& MTime::operator-=(const MTime& r) {
  return *this = *this - r;
}
MTime& MTime::operator-=(double r) {
  return *this = *this - r;
}
MTime MTime::operator*(double r) const {
  return MTime(value_ * r, unit_);
}
MTime MTime::operator/(double r) const {
  return MTime(value_ / r, unit_);
}
double MTime::operator/(const MTime& r) const {
  return value_ / r.as(unit_);
}
bool MTime::operator==(const MTime& o) const {
  return as(kSeconds) == o.as(kSeconds);
}
bool MTime::operator!=(const MTime& o) const {
  return !(*this == o);
}
bool MTime::operator<(const MTime& o) const {
  return as(kSeconds) < o.as(kSeconds);
}
bool MTime::operator>(const MTime& o) const {
  return o < *this;
}
bool MTime::operator<=(const MTime& o) const {
  return !(o < *this);
}
bool MTime::operator>=(const MTime& o) const {
  return !(*this < o);
}

MTime::Unit MTime::uiUnit() {
  return minihost::Scene::get().timeUnit();
}
MStatus MTime::setUIUnit(Unit newUnit) {
  if (!validUnit(newUnit))
    return MS::kInvalidParameter;
  minihost::Scene::get().setTimeUnit(newUnit);
  return MS::kSuccess;
}

std::ostream& operator<<(std::ostream& out, const MTime& t) {
  return out << t.value();
}

OPENMAYA_NAMESPACE_CLOSE
