// The frames an export captures: the render range and step, the playback range, truncation of
// fractional frames, steps below 1, ranges at the 32-bit limit, and the current time around it.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "ExportHarness.h"

namespace {

using Frames = std::vector<int>;

const char kEnableAnimation[] = "VXR animation. Please enable animation in Render Globals.\n";

class FrameRangeTest : public ExportTest {
 protected:
  // The frames of the persp camera's track: every track has the same frames.
  Frames exportedFrames() {
    auto document = exportAndRead();
    if (document == nullptr)
      return Frames{-999};
    const VXRAnimation_Camera* persp = cameraTrack(*document, "|persp|perspShape");
    if (persp == nullptr)
      return Frames{-998};
    return keyFrames(*persp);
  }

  static int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
      ++n;
    return n;
  }
};

TEST_F(FrameRangeTest, TheStepIsTakenFromTheStartUpToTheEndInclusive) {
  setRenderRange(1, 10, 3);
  EXPECT_EQ(exportedFrames(), (Frames{1, 4, 7, 10}));
  setRenderRange(1, 10, 4);
  EXPECT_EQ(exportedFrames(), (Frames{1, 5, 9}));
  setRenderRange(5, 5, 1);
  EXPECT_EQ(exportedFrames(), (Frames{5}));
}

TEST_F(FrameRangeTest, EveryCameraAndLightIsCapturedAtTheFrameBeingExported) {
  ASSERT_TRUE(
      melScript("camera -n mover; pointLight -n lamp;"
                "setKeyframe -t 1 -v 0 -at translateX -itt linear -ott linear mover;"
                "setKeyframe -t 10 -v 9 -at translateX -itt linear -ott linear mover;"
                "setKeyframe -t 1 -v 0 -at translateY -itt linear -ott linear lamp;"
                "setKeyframe -t 10 -v 18 -at translateY -itt linear -ott linear lamp;"));
  setRenderRange(1, 10, 3);
  auto document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Camera* mover = cameraTrack(*document, "|mover|moverShape");
  const VXRAnimation_Light* lamp = lightTrack(*document, "|lamp|lampShape");
  ASSERT_NE(mover, nullptr);
  ASSERT_NE(lamp, nullptr);
  ASSERT_EQ(mover->keyCount(), 4);
  ASSERT_EQ(lamp->keyCount(), 4);
  for (int i = 0; i < 4; ++i) {
    const double frame = 1 + 3 * i;
    EXPECT_NEAR(mover->key(i)->projector.plane.origin.x, frame - 1, 1e-9) << "frame " << frame;
    EXPECT_NEAR(lamp->key(i)->position.y, 2 * (frame - 1), 1e-9) << "frame " << frame;
  }
}

TEST_F(FrameRangeTest, AStartAfterTheEndWritesEveryTrackWithoutKeys) {
  ASSERT_TRUE(melScript("pointLight -n lamp;"));
  setRenderRange(10, 1, 1);
  auto document = exportAndRead();
  ASSERT_NE(document, nullptr);
  ASSERT_EQ(document->cameras.trackCount(), 4);
  ASSERT_EQ(document->lights.trackCount(), 1);
  for (int i = 0; i < document->cameras.trackCount(); ++i)
    EXPECT_EQ(document->cameras.track(i)->keyCount(), 0);
  EXPECT_EQ(document->lights.track(0)->keyCount(), 0);
}

TEST_F(FrameRangeTest, TheCurrentTimeIsRestoredAfterAnExport) {
  setRenderRange(1, 10, 1);
  ASSERT_TRUE(melScript("currentTime 17;"));
  EXPECT_EQ(exportedFrames().size(), 10u);
  EXPECT_DOUBLE_EQ(melNumber("currentTime -q"), 17.0);
}

TEST_F(FrameRangeTest, TheCurrentTimeIsRestoredWhenTheFileCannotBeOpened) {
  setRenderRange(1, 10, 1);
  ASSERT_TRUE(melScript("currentTime 17;"));
  const ExportRun run = exportTo(path("missing/scene.vxranim"));
  EXPECT_FALSE(run.succeeded);
  EXPECT_DOUBLE_EQ(melNumber("currentTime -q"), 17.0);
}

TEST_F(FrameRangeTest, AnimationOffIsReportedOnceAndThePlaybackRangeIsUsedWithStep1) {
  setRenderRange(1, 10, 3);
  ASSERT_TRUE(
      melScript("setAttr defaultRenderGlobals.animation 0; playbackOptions -min 3 -max 6;"));
  const std::string target = path("scene.vxranim");
  const ExportRun run = exportTo(target);
  EXPECT_TRUE(run.succeeded);
  EXPECT_EQ(countOf(run.output, kEnableAnimation), 1) << run.output;
  auto document = readDocument(target);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(keyFrames(*cameraTrack(*document, "|persp|perspShape")), (Frames{3, 4, 5, 6}));
}

TEST_F(FrameRangeTest, AnimationOnSaysNothing) {
  setRenderRange(1, 2, 1);
  const ExportRun run = exportTo(path("scene.vxranim"));
  EXPECT_TRUE(run.succeeded);
  EXPECT_EQ(run.output, "");
}

TEST_F(FrameRangeTest, AnAnimationRangeOf1UsesThePlaybackRangeWithStep1) {
  setRenderRange(1, 10, 3);
  ASSERT_TRUE(melScript("playbackOptions -min 2 -max 5;"));
  ASSERT_TRUE(melScript("setAttr defaultRenderGlobals.animationRange 1;"));
  EXPECT_EQ(exportedFrames(), (Frames{2, 3, 4, 5}));
}

TEST_F(FrameRangeTest, FractionalFramesAndStepsAreTruncatedTowardZero) {
  setRenderRange(1.5, 10, 2.7);
  EXPECT_EQ(exportedFrames(), (Frames{1, 3, 5, 7, 9}));
  setRenderRange(-2.5, 0.9, 1);
  EXPECT_EQ(exportedFrames(), (Frames{-2, -1, 0}));
}

TEST_F(FrameRangeTest, AStepBelowOneAdvancesOneFrameInsteadOfNeverEnding) {
  for (double step : {0.0, 0.5, -3.0}) {
    setRenderRange(1, 3, step);
    EXPECT_EQ(exportedFrames(), (Frames{1, 2, 3})) << "byFrameStep " << step;
  }
}

TEST_F(FrameRangeTest, ARangeEndingAtThe32BitLimitEnds) {
  const int max = std::numeric_limits<std::int32_t>::max();
  setRenderRange(max - 7, max, 3);
  EXPECT_EQ(exportedFrames(), (Frames{max - 7, max - 4, max - 1}));
  // A step that reaches past the limit from the last frame.
  setRenderRange(max - 1, max, 2147483647.0);
  EXPECT_EQ(exportedFrames(), (Frames{max - 1}));
  setRenderRange(max, max, 1);
  EXPECT_EQ(exportedFrames(), (Frames{max}));
}

TEST_F(FrameRangeTest, FramesBeyondThe32BitRangeAreHeldAtItsEnds) {
  const int max = std::numeric_limits<std::int32_t>::max();
  setRenderRange(3e9, 4e9, 1);
  EXPECT_EQ(exportedFrames(), (Frames{max}));
  setRenderRange(-4e9, -3e9, 1);
  EXPECT_EQ(exportedFrames(), (Frames{std::numeric_limits<std::int32_t>::min()}));
}

}  // namespace
