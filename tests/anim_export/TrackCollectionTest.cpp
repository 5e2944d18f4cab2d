// Which cameras and lights an export writes, in what order and under what names.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExportHarness.h"

namespace {

using Names = std::vector<std::string>;

class TrackCollectionTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    setRenderRange(1, 2, 1);
    // Created deepest first, so that breadth-first order differs from creation order and from
    // depth-first order.
    ASSERT_TRUE(
        melScript("group -em -n rig;"
                  "camera -n camB; parent camB rig;"
                  "pointLight -n deepLight; parent deepLight rig;"
                  "camera -n camA;"
                  "pointLight -n pl;"));
  }
};

TEST_F(TrackCollectionTest, AWholeSceneExportHasOneTrackPerShapeInBreadthFirstOrderByFullPath) {
  auto document = exportAndRead();
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(cameraNames(*document),
            (Names{"|persp|perspShape", "|top|topShape", "|front|frontShape", "|side|sideShape",
                   "|camA|camAShape", "|rig|camB|camBShape"}));
  EXPECT_EQ(lightNames(*document), (Names{"|pl|plShape", "|rig|deepLight|deepLightShape"}));
  for (int i = 0; i < document->cameras.trackCount(); ++i)
    EXPECT_EQ(keyFrames(*document->cameras.track(i)), (std::vector<int>{1, 2}));
  for (int i = 0; i < document->lights.trackCount(); ++i)
    EXPECT_EQ(keyFrames(*document->lights.track(i)), (std::vector<int>{1, 2}));
}

TEST_F(TrackCollectionTest, ASelectionExportKeepsOnlyTheSelectedShapes) {
  ASSERT_TRUE(melScript("select -r camBShape plShape topShape;"));
  auto document = exportAndRead(true);
  ASSERT_NE(document, nullptr);
  // Still in scene order, not selection order.
  EXPECT_EQ(cameraNames(*document), (Names{"|top|topShape", "|rig|camB|camBShape"}));
  EXPECT_EQ(lightNames(*document), (Names{"|pl|plShape"}));
  EXPECT_EQ(keyFrames(*cameraTrack(*document, "|rig|camB|camBShape")), (std::vector<int>{1, 2}));
}

// A click in the viewport selects the transform: its camera or light counts as selected, and
// so does everything under a selected group.
TEST_F(TrackCollectionTest, ASelectedTransformOrGroupSelectsTheShapesBelowIt) {
  ASSERT_TRUE(melScript("select -r camA pl;"));
  auto document = exportAndRead(true);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(cameraNames(*document), (Names{"|camA|camAShape"}));
  EXPECT_EQ(lightNames(*document), (Names{"|pl|plShape"}));
  const VXRAnimation_Camera* camA = cameraTrack(*document, "|camA|camAShape");
  ASSERT_NE(camA, nullptr);
  EXPECT_EQ(keyFrames(*camA), (std::vector<int>{1, 2}));

  ASSERT_TRUE(melScript("select -r rig;"));
  document = exportAndRead(true);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(cameraNames(*document), (Names{"|rig|camB|camBShape"}));
  EXPECT_EQ(lightNames(*document), (Names{"|rig|deepLight|deepLightShape"}));
}

TEST_F(TrackCollectionTest, ASelectionExportWithNothingSelectedWritesTwoEmptyLists) {
  ASSERT_TRUE(melScript("select -cl;"));
  auto document = exportAndRead(true);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->cameras.trackCount(), 0);
  EXPECT_EQ(document->lights.trackCount(), 0);
}

TEST_F(TrackCollectionTest, AWholeSceneExportIgnoresTheSelection) {
  ASSERT_TRUE(melScript("select -r camAShape;"));
  auto document = exportAndRead(false);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->cameras.trackCount(), 6);
  EXPECT_EQ(document->lights.trackCount(), 2);
}

}  // namespace
