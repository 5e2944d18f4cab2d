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
    kGames,
    k15FPS = kGames,
    kFilm,
    k24FPS = kFilm,
    kPALFrame,
    k25FPS = kPALFrame,
    kNTSCFrame,
    k30FPS = kNTSCFrame,
    kShowScan,
    k48FPS = kShowScan,
    kPALField,
    k50FPS = kPALField,
    kNTSCField,
    k60FPS = kNTSCField,
    k2FPS,
    k3FPS,
    k4FPS,
    k5FPS,
    k6FPS,
    k8FPS,
    k10FPS,
    k12FPS,
    k16FPS,
    k20FPS,
    k40FPS,
    k75FPS,
    k80FPS,
    k100FPS,
    k120FPS,
    k125FPS,
    k150FPS,
    k200FPS,
    k240FPS,
    k250FPS,
    k300FPS,
    k375FPS,
    k400FPS,
    k500FPS,
    k600FPS,
    k750FPS,
    k1200FPS,
    k1500FPS,
    k2000FPS,
    k3000FPS,
    k6000FPS,
    k23_976FPS,
    k29_97FPS,
    k29_97DF,
    k47_952FPS,
    k59_94FPS,
    k44100FPS,
    k48000FPS,
    k90FPS,
    k119_88FPS,
    kUserDef,
    kLast
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
