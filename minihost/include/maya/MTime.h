#pragma once
// A time value with its unit. Conversions go through an exact tick count
// (6000 ticks per second), so whole frames of the common rates convert exactly.

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MTime {
 public:
  enum Unit {
    kInvalid = 0,
    kHours,
    kMinutes,
    kSeconds,
    kMilliseconds,
    k15FPS,
    k24FPS,
    k25FPS,
    k30FPS,
    k48FPS,
    k50FPS,
    k60FPS,
    kLast,
    kGames = k15FPS,
    kFilm = k24FPS,
    kPALFrame = k25FPS,
    kNTSCFrame = k30FPS,
    kShowScan = k48FPS,
    kPALField = k50FPS,
    kNTSCField = k60FPS,
    kUserDef = kLast
  };

  MTime();
  MTime(const MTime& other);
  MTime(double value, Unit unitSystem = uiUnit());
  ~MTime();

  MTime& operator=(const MTime& other);
  Unit unit() const;
  double value() const;
  MStatus setUnit(Unit newUnit);
  MStatus setValue(double newValue);
  double as(Unit otherUnit) const;
  double asUnits(Unit otherUnit) const;

  MTime operator+(const MTime& right) const;
  MTime operator+(double right) const;
  MTime& operator+=(const MTime& right);
  MTime& operator+=(double right);
  MTime operator-(const MTime& right) const;
  MTime operator-(double right) const;
  MTime& operator-=(const MTime& right);
  MTime& operator-=(double right);
  MTime operator*(double right) const;
  MTime operator/(double right) const;
  double operator/(const MTime& right) const;
  bool operator==(const MTime& other) const;
  bool operator!=(const MTime& other) const;
  bool operator<(const MTime& other) const;
  bool operator>(const MTime& other) const;
  bool operator<=(const MTime& other) const;
  bool operator>=(const MTime& other) const;

  static Unit uiUnit();
  static MStatus setUIUnit(Unit newUnit);

 private:
  double value_;
  Unit unit_;
};

OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& out, const MTime& t);

OPENMAYA_NAMESPACE_CLOSE
