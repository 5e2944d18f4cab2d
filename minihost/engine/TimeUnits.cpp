#include "engine/TimeUnits.h"

namespace minihost {
namespace {

const TimeUnitInfo kUnits[] = {
    {MTime::kHours, "hour", "hour", 1.0 / 3600.0},
    {MTime::kMinutes, "min", "minute", 1.0 / 60.0},
    {MTime::kSeconds, "sec", "second", 1.0},
    {MTime::kMilliseconds, "millisec", "millisecond", 1000.0},
    {MTime::kGames, "game", "game", 15.0},
    {MTime::kFilm, "film", "film", 24.0},
    {MTime::kPALFrame, "pal", "pal", 25.0},
    {MTime::kNTSCFrame, "ntsc", "ntsc", 30.0},
    {MTime::kShowScan, "show", "show", 48.0},
    {MTime::kPALField, "palf", "palf", 50.0},
    {MTime::kNTSCField, "ntscf", "ntscf", 60.0},
    {MTime::k2FPS, "2fps", "2fps", 2.0},
    {MTime::k3FPS, "3fps", "3fps", 3.0},
    {MTime::k4FPS, "4fps", "4fps", 4.0},
    {MTime::k5FPS, "5fps", "5fps", 5.0},
    {MTime::k6FPS, "6fps", "6fps", 6.0},
    {MTime::k8FPS, "8fps", "8fps", 8.0},
    {MTime::k10FPS, "10fps", "10fps", 10.0},
    {MTime::k12FPS, "12fps", "12fps", 12.0},
    {MTime::k16FPS, "16fps", "16fps", 16.0},
    {MTime::k20FPS, "20fps", "20fps", 20.0},
    {MTime::k40FPS, "40fps", "40fps", 40.0},
    {MTime::k75FPS, "75fps", "75fps", 75.0},
    {MTime::k80FPS, "80fps", "80fps", 80.0},
    {MTime::k100FPS, "100fps", "100fps", 100.0},
    {MTime::k120FPS, "120fps", "120fps", 120.0},
    {MTime::k125FPS, "125fps", "125fps", 125.0},
    {MTime::k150FPS, "150fps", "150fps", 150.0},
    {MTime::k200FPS, "200fps", "200fps", 200.0},
    {MTime::k240FPS, "240fps", "240fps", 240.0},
    {MTime::k250FPS, "250fps", "250fps", 250.0},
    {MTime::k300FPS, "300fps", "300fps", 300.0},
    {MTime::k375FPS, "375fps", "375fps", 375.0},
    {MTime::k400FPS, "400fps", "400fps", 400.0},
    {MTime::k500FPS, "500fps", "500fps", 500.0},
    {MTime::k600FPS, "600fps", "600fps", 600.0},
    {MTime::k750FPS, "750fps", "750fps", 750.0},
    {MTime::k1200FPS, "1200fps", "1200fps", 1200.0},
    {MTime::k1500FPS, "1500fps", "1500fps", 1500.0},
    {MTime::k2000FPS, "2000fps", "2000fps", 2000.0},
    {MTime::k3000FPS, "3000fps", "3000fps", 3000.0},
    {MTime::k6000FPS, "6000fps", "6000fps", 6000.0},
    {MTime::k23_976FPS, "23.976fps", "23.976fps", 24000.0 / 1001.0},
    {MTime::k29_97FPS, "29.97fps", "29.97fps", 30000.0 / 1001.0},
    {MTime::k29_97DF, "29.97df", "29.97df", 30000.0 / 1001.0},
    {MTime::k47_952FPS, "47.952fps", "47.952fps", 48000.0 / 1001.0},
    {MTime::k59_94FPS, "59.94fps", "59.94fps", 60000.0 / 1001.0},
    {MTime::k44100FPS, "44100fps", "44100fps", 44100.0},
    {MTime::k48000FPS, "48000fps", "48000fps", 48000.0},
    {MTime::k90FPS, "90fps", "90fps", 90.0},
    {MTime::k119_88FPS, "119.88fps", "119.88fps", 120000.0 / 1001.0},
};

// The named rates also answer to their frame counts.
const struct {
  const char* name;
  MTime::Unit unit;
} kRateAliases[] = {{"15fps", MTime::kGames},    {"24fps", MTime::kFilm},
                    {"25fps", MTime::kPALFrame}, {"30fps", MTime::kNTSCFrame},
                    {"48fps", MTime::kShowScan}, {"50fps", MTime::kPALField},
                    {"60fps", MTime::kNTSCField}};

}  // namespace

const TimeUnitInfo* timeUnitInfo(MTime::Unit unit) {
  for (const TimeUnitInfo& u : kUnits) {
    if (u.unit == unit)
      return &u;
  }
  return nullptr;
}

const TimeUnitInfo* timeUnitByName(const std::string& name) {
  for (const TimeUnitInfo& u : kUnits) {
    if (name == u.name || name == u.fullName)
      return &u;
  }
  for (const auto& a : kRateAliases) {
    if (name == a.name)
      return timeUnitInfo(a.unit);
  }
  return nullptr;
}

}  // namespace minihost
