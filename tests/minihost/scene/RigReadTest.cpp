// Rig nodes read from a scene file and evaluated: driven keys, a unit conversion, a pair blend
// and a multiply node, checked against values worked out by hand from the file.

#include <cmath>

#include "SceneFixture.h"

namespace {

TEST_F(SceneFileTest, DrivenKeysAndUtilityNodesFromAFileFollowTheirDrivers) {
  open("driven_rig.ma");
  // The file is in metres at 12 fps; driven keys sit on their input's values whatever the
  // frame rate. driver.tx is 0.05 m = 5 cm internally, and the keys (0, 0) and (10, 2 m) put
  // cam.tx at 1 m = 100 cm.
  EXPECT_NEAR(number("cam", "tx"), 100.0, 1e-9);
  // driver.ry 60 degrees reaches the curve as 60 through the unit conversion; the keys (0, 0)
  // and (90, 45 degrees) give 30 degrees.
  EXPECT_NEAR(number("cam", "ry"), 30.0 * kPi / 180.0, 1e-9);
  // Pair blend, weight 0.25: 0.75 * (4 m, 0, 0) + 0.25 * (5 cm, 0, 0) = 301.25 cm.
  EXPECT_NEAR(number("cam2", "tx"), 301.25, 1e-9);
  // Multiply: 5 (cm) * 3.
  EXPECT_NEAR(number("cam2", "sx"), 15.0, 1e-9);
  // Moving the driver moves what it drives.
  minihost::NodeRef driver = node("driver");
  ASSERT_TRUE(scene().setNumber(driver, scene().findAttribute(driver, "tx"), 2.5));
  EXPECT_NEAR(number("cam", "tx"), 50.0, 1e-9);
}

}  // namespace
