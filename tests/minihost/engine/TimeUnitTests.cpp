// Every time unit the host knows converts through the scene's time base at its exact rate.
#include <maya/MAnimControl.h>
#include <maya/MTime.h>

#include "SceneFixture.h"
#include "engine/TimeUnits.h"

namespace {

class TimeUnitTest : public SceneTest {};

TEST_F(TimeUnitTest, EveryUnitConvertsAtItsRate) {
  struct Case {
    MTime::Unit unit;
    double framesPerSecond;
  } cases[] = {{MTime::k12FPS, 12.0},
               {MTime::k80FPS, 80.0},
               {MTime::k2FPS, 2.0},
               {MTime::k6000FPS, 6000.0},
               {MTime::k23_976FPS, 24000.0 / 1001.0},
               {MTime::k29_97DF, 30000.0 / 1001.0},
               {MTime::k59_94FPS, 60000.0 / 1001.0},
               {MTime::k44100FPS, 44100.0},
               {MTime::k119_88FPS, 120000.0 / 1001.0},
               {MTime::kMilliseconds, 1000.0},
               {MTime::kHours, 1.0 / 3600.0}};
  for (const Case& c : cases) {
    MTime t(c.framesPerSecond * 3.0, c.unit);  // three seconds
    EXPECT_NEAR(t.as(MTime::kSeconds), 3.0, 1e-9) << c.unit;
    EXPECT_NEAR(MTime(3.0, MTime::kSeconds).as(c.unit), c.framesPerSecond * 3.0,
                1e-9 * c.framesPerSecond)
        << c.unit;
  }
  // 1001 frames at 23.976 fps are 1001 * 1001 / 24000 seconds, and come back as 1001 frames.
  MTime frames(1001.0, MTime::k23_976FPS);
  EXPECT_NEAR(frames.as(MTime::kSeconds), 1001.0 * 1001.0 / 24000.0, 1e-9);
  EXPECT_NEAR(MTime(frames.as(MTime::kFilm), MTime::kFilm).as(MTime::k23_976FPS), 1001.0, 1e-9);
}

TEST_F(TimeUnitTest, NamesAreTheHostsAndTheSceneTimeFollowsTheUnit) {
  ASSERT_NE(minihost::timeUnitByName("80fps"), nullptr);
  EXPECT_EQ(minihost::timeUnitByName("80fps")->unit, MTime::k80FPS);
  EXPECT_EQ(minihost::timeUnitByName("24fps")->unit, MTime::kFilm);
  EXPECT_STREQ(minihost::timeUnitInfo(MTime::k29_97FPS)->name, "29.97fps");
  EXPECT_EQ(minihost::timeUnitByName("81fps"), nullptr);
  EXPECT_EQ(minihost::timeUnitByName("parsec"), nullptr);
  // Frame 7 at 12 fps is half a second after frame 1.
  scene().setTimeUnit(MTime::k12FPS);
  MAnimControl::setCurrentTime(MTime(7.0, MTime::k12FPS));
  EXPECT_NEAR(scene().currentTicks(), 7.0 / 12.0 * minihost::kTicksPerSecond, 1e-9);
  EXPECT_NEAR(MAnimControl::currentTime().as(MTime::k12FPS), 7.0, 1e-9);
}

}  // namespace
