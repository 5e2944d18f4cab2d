#pragma once
// A length with its unit; the host's internal length unit is the centimetre.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MDistance {
 public:
  enum Unit {
    kInvalid = 0,
    kInches = 1,
    kFeet = 2,
    kYards = 3,
    kMiles = 4,
    kMillimeters = 5,
    kCentimeters = 6,
    kKilometers = 7,
    kMeters = 8,
    kLast = 9
  };

  MDistance();
  MDistance(double value, Unit unitSystem = kCentimeters);
  MDistance(const MDistance& other);
  ~MDistance();

  MDistance& operator=(const MDistance& other);
  Unit unit() const;
  double value() const;
  MStatus setUnit(Unit newUnit);
  MStatus setValue(double newValue);
  double as(Unit otherUnit, MStatus* ReturnStatus = NULL) const;
  double asInches() const;
  double asFeet() const;
  double asYards() const;
  double asMiles() const;
  double asMillimeters() const;
  double asCentimeters() const;
  double asKilometers() const;
  double asMeters() const;

  static Unit uiUnit();
  static MStatus setUIUnit(Unit newUnit);
  static Unit internalUnit();
  static double uiToInternal(double value);
  static double internalToUI(double value);

 private:
  double value_;
  Unit unit_;
};

OPENMAYA_NAMESPACE_CLOSE
