#pragma once
// An angle with its unit; the host's internal angle unit is the radian.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MAngle {
 public:
  enum Unit { kInvalid, kRadians, kDegrees, kAngMinutes, kAngSeconds, kLast };

  MAngle();
  MAngle(const MAngle& other);
  MAngle(double value, Unit unitSystem = kRadians);
  ~MAngle();

  MAngle& operator=(const MAngle& other);
  Unit unit() const;
  double value() const;
  MStatus setUnit(Unit newUnit);
  MStatus setValue(double newValue);
  double as(Unit otherUnit, MStatus* ReturnStatus = NULL) const;
  double asRadians() const;
  double asDegrees() const;

  static Unit uiUnit();
  static MStatus setUIUnit(Unit newUnit);
  static Unit internalUnit();

 private:
  double value_;
  Unit unit_;
};

OPENMAYA_NAMESPACE_CLOSE
